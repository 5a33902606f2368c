#include "Model/RollFolderFiles.h"

#include "Transfer/DestinationFiles.h"

namespace quillane::RollFolderFiles {
namespace {

// The card file's place in the roll folder; none for a path that would leave it.
std::optional<std::filesystem::path> placeOf(const std::filesystem::path& rollFolder, const ScannedFile& file) {
    const std::filesystem::path relative = std::filesystem::path(file.relativePath).relative_path();
    if (relative.empty()) return std::nullopt;
    for (const auto& part : relative)
        if (part == "..") return std::nullopt;
    return rollFolder / relative;
}

}  // namespace

Count compare(const std::filesystem::path& rollFolder, const std::vector<ScannedFile>& files) {
    Count count;
    for (const ScannedFile& file : files) {
        const auto place = placeOf(rollFolder, file);
        if (!place) continue;
        switch (DestinationFiles::check(*place, file.size)) {
            case DestinationFile::present: ++count.present; break;
            case DestinationFile::conflict: ++count.conflicting; break;
            case DestinationFile::missing: break;
        }
    }
    return count;
}

std::int64_t presentBytes(const std::filesystem::path& rollFolder, const std::vector<ScannedFile>& files) {
    std::int64_t bytes = 0;
    for (const ScannedFile& file : files)
        if (const auto place = placeOf(rollFolder, file); place && DestinationFiles::check(*place, file.size) == DestinationFile::present)
            bytes += file.size;
    return bytes;
}

}  // namespace quillane::RollFolderFiles
