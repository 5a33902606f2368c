#pragma once
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "Hashing/StreamingHasher.h"

namespace quillane {

enum class ChecksumAlgorithm { xxhash64, md5 };

namespace ChecksumAlgorithms {
inline constexpr std::array<ChecksumAlgorithm, 2> allCases{ChecksumAlgorithm::xxhash64, ChecksumAlgorithm::md5};
// Stored raw text: "xxhash64" or "md5".
std::string id(ChecksumAlgorithm algorithm);
std::optional<ChecksumAlgorithm> fromRawValue(std::string_view raw);
std::string displayName(ChecksumAlgorithm algorithm);
std::string detail(ChecksumAlgorithm algorithm);
// Element name of the checksum in an MHL 1.1 manifest.
std::string mhlElement(ChecksumAlgorithm algorithm);
// A new, empty hasher; nothing is shared between calls.
std::unique_ptr<StreamingHasher> makeHasher(ChecksumAlgorithm algorithm);
}  // namespace ChecksumAlgorithms

}  // namespace quillane
