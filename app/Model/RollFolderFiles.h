#pragma once
#include <cstdint>
#include <filesystem>
#include <vector>

#include "Transfer/SourceScan.h"

// What a roll folder on a destination already holds of a card, by the engine's own rule
// (DestinationFiles::check): present files are verified, not copied; conflicts are never replaced.
namespace quillane::RollFolderFiles {

struct Count {
    int present = 0;
    int conflicting = 0;
};

Count compare(const std::filesystem::path& rollFolder, const std::vector<ScannedFile>& files);
// The bytes of the files that are present.
std::int64_t presentBytes(const std::filesystem::path& rollFolder, const std::vector<ScannedFile>& files);

}  // namespace quillane::RollFolderFiles
