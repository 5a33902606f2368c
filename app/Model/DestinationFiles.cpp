#include "Model/DestinationFiles.h"

#include <sys/stat.h>

namespace quillane::DestinationFiles {

namespace {

enum class Standing { absent, present, conflicting };

Standing standing(const std::filesystem::path& rollFolder, const ScannedFile& file) {
    const std::filesystem::path relative = std::filesystem::path(file.relativePath).relative_path();
    bool climbs = false;
    for (const auto& part : relative) climbs = climbs || part == "..";
    if (climbs || relative.empty()) return Standing::absent;
    struct stat facts {};
    if (::lstat((rollFolder / relative).c_str(), &facts) != 0) return Standing::absent;
    return S_ISREG(facts.st_mode) && facts.st_size == file.size ? Standing::present : Standing::conflicting;
}

}  // namespace

std::int64_t presentBytes(const std::filesystem::path& rollFolder, const std::vector<ScannedFile>& files) {
    std::int64_t bytes = 0;
    for (const ScannedFile& file : files)
        if (standing(rollFolder, file) == Standing::present) bytes += file.size;
    return bytes;
}

Count compare(const std::filesystem::path& rollFolder, const std::vector<ScannedFile>& files) {
    Count count;
    for (const ScannedFile& file : files) {
        switch (standing(rollFolder, file)) {
            case Standing::present: ++count.present; break;
            case Standing::conflicting: ++count.conflicting; break;
            case Standing::absent: break;
        }
    }
    return count;
}

}  // namespace quillane::DestinationFiles
