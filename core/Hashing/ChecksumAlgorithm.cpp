#include "Hashing/ChecksumAlgorithm.h"

#include "Hashing/MD5Hasher.h"
#include "Hashing/XXHash64.h"
#include "Support/Lang.h"

namespace quillane::ChecksumAlgorithms {

std::string id(ChecksumAlgorithm algorithm) {
    return algorithm == ChecksumAlgorithm::md5 ? "md5" : "xxhash64";
}

std::optional<ChecksumAlgorithm> fromRawValue(std::string_view raw) {
    if (raw == "xxhash64") return ChecksumAlgorithm::xxhash64;
    if (raw == "md5") return ChecksumAlgorithm::md5;
    return std::nullopt;
}

std::string displayName(ChecksumAlgorithm algorithm) {
    return algorithm == ChecksumAlgorithm::md5 ? "MD5" : "xxHash64";
}

std::string detail(ChecksumAlgorithm algorithm) {
    if (algorithm == ChecksumAlgorithm::md5)
        return L("Langzamer, maximaal compatibel", "Slower, maximum compatibility");
    return L("Snel, industriestandaard (aanbevolen)", "Fast, industry standard (recommended)");
}

std::string mhlElement(ChecksumAlgorithm algorithm) {
    return algorithm == ChecksumAlgorithm::md5 ? "md5" : "xxhash64be";
}

std::unique_ptr<StreamingHasher> makeHasher(ChecksumAlgorithm algorithm) {
    if (algorithm == ChecksumAlgorithm::md5) return std::make_unique<MD5Hasher>();
    return std::make_unique<XXHash64>(0);
}

}  // namespace quillane::ChecksumAlgorithms
