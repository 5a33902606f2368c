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

// The classic MHL 1.1 manifest: one XML file beside the footage, named after the roll and
// the local time at which finishing began.
namespace MHLWriter {

inline constexpr const char* toolName = "Quillane 1.0.1";

// Writes <sanitized baseName>_<yyyy-MM-dd_HHmmss local>.mhl into folder and returns its path.
// files and hashes go position by position (the shorter list decides); a file without a hash
// is left out, as is, when an ASC MHL manifest is written too (ascManifestToo), the roll
// folder's "ascmhl" folder copied from the card (its chain is continued and so changes).
// comment is the log line. Throws FileError when the file cannot be written.
std::filesystem::path write(const std::filesystem::path& folder, std::string_view baseName,
                            const std::vector<ScannedFile>& files,
                            const std::vector<std::optional<std::string>>& hashes, ChecksumAlgorithm algorithm,
                            std::chrono::system_clock::time_point startedAt,
                            std::chrono::system_clock::time_point finishedAt, std::string_view comment,
                            bool ascManifestToo = false);

// The log line in the current language: "{project} · {roll} · source: {source}".
std::string comment(std::string_view project, std::string_view roll, std::string_view sourceName);

}  // namespace MHLWriter
}  // namespace quillane
