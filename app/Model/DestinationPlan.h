#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace quillane {

// One row of a destination's planned folder tree.
struct FolderNode {
    std::string name;
    int depth = 0;
    bool exists = false;
    bool isTarget = false;  // the roll folder that receives the card's files
    std::filesystem::path url;

    std::string id() const { return url.string(); }
};

// Where the next card lands on one active destination, and whether it fits.
struct DestinationPlan {
    std::string driveID;
    std::string driveName;
    std::filesystem::path baseURL;  // where the project structure starts on the drive
    std::vector<FolderNode> nodes;
    std::filesystem::path rollURL;
    std::vector<std::filesystem::path> missing;  // folders still to create, top down
    int extraFolderCount = 0;
    std::int64_t freeBytes = 0;
    std::int64_t requiredBytes = 0;
    bool rollHasContent = false;  // the roll folder already holds visible entries
};

}  // namespace quillane
