#pragma once
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Hashing/ChecksumAlgorithm.h"
#include "Transfer/SourceScan.h"

namespace quillane {

// ASC MHL 2.0: one numbered manifest per transfer into a roll folder, kept in its "ascmhl"
// folder, and the chain file that lists every manifest with the C4 identifier of its bytes.
namespace ASCMHLWriter {

inline constexpr const char* folderName = "ascmhl";
inline constexpr const char* chainFileName = "ascmhl_chain.xml";

// Writes the next manifest into root/ascmhl and appends it to the chain; returns the
// manifest's path. files and hashes go position by position (the shorter list decides); a file
// without a hash, and anything inside an "ascmhl" folder copied from the card, is not listed.
// Every date written is finishedAt.
// Throws FileError when the folder, the manifest or the chain cannot be written.
std::filesystem::path write(const std::filesystem::path& root, const std::vector<ScannedFile>& files,
                            const std::vector<std::optional<std::string>>& hashes, ChecksumAlgorithm algorithm,
                            std::chrono::system_clock::time_point finishedAt, std::string_view toolVersion);

// Every sequencenr="N" of a chain text, in order; numbers that do not fit are skipped.
std::vector<long long> sequenceNumbers(std::string_view chainText);

// The number the next manifest in this manifest folder gets: one more than the highest of the
// chain's numbers and the leading digits of the manifest names already in the folder.
long long nextSequenceNumber(const std::filesystem::path& manifestFolder, std::string_view chainText);

// The C4 identifier of the bytes (90 characters).
std::string c4ID(std::string_view bytes);

}  // namespace ASCMHLWriter
}  // namespace quillane
