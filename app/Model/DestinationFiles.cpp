#include "Model/DestinationFiles.h"

#include <sys/stat.h>

namespace quillane::DestinationFiles {

Count compare(const std::filesystem::path& rollFolder, const std::vector<ScannedFile>& files) {
    Count count;
    for (const ScannedFile& file : files) {
        const std::filesystem::path relative = std::filesystem::path(file.relativePath).relative_path();
        bool climbs = false;
        for (const auto& part : relative) climbs = climbs || part == "..";
        if (climbs || relative.empty()) continue;
        struct stat facts {};
        if (::lstat((rollFolder / relative).c_str(), &facts) != 0) continue;
        if (S_ISREG(facts.st_mode) && facts.st_size == file.size)
            ++count.present;
        else
            ++count.conflicting;
    }
    return count;
}

}  // namespace quillane::DestinationFiles
