#pragma once
#include <filesystem>
#include <vector>

#include "Transfer/SourceScan.h"

// What a roll folder on a destination already holds of a card, by the engine's rule: a regular
// file under the file's name with the card file's size is present (it is verified, not copied);
// anything else standing there is a conflict the engine would refuse to replace.
namespace quillane::DestinationFiles {

struct Count {
    int present = 0;
    int conflicting = 0;
};

Count compare(const std::filesystem::path& rollFolder, const std::vector<ScannedFile>& files);
// The bytes of the files that are present.
std::int64_t presentBytes(const std::filesystem::path& rollFolder, const std::vector<ScannedFile>& files);

}  // namespace quillane::DestinationFiles
