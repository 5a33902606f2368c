#include "Hashing/ChecksumAlgorithm.h"

#include "Hashing/MD5Hasher.h"
#include "Hashing/XXHash64.h"
#include "Support/EnumNames.h"

namespace quillane::ChecksumAlgorithms {

namespace {
constexpr EnumNames<ChecksumAlgorithm, 2> names{{{
    {ChecksumAlgorithm::xxhash64, "xxhash64", "xxHash64", "xxHash64"},
    {ChecksumAlgorithm::md5, "md5", "MD5", "MD5"},
}}};
}  // namespace

std::string id(ChecksumAlgorithm algorithm) { return names.id(algorithm); }
std::optional<ChecksumAlgorithm> fromRawValue(std::string_view raw) { return names.fromRawValue(raw); }
std::string displayName(ChecksumAlgorithm algorithm) { return names.displayName(algorithm); }

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
