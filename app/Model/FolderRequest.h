#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "Support/UUID.h"

namespace quillane {

// A question waiting for the user: may these missing destination folders be created?
struct FolderRequest {
    // The missing folders of one drive, relative to its destination base ("/Alpha/FOOTAGE").
    struct Entry {
        std::string driveName;
        std::vector<std::string> paths;
    };
    UUID id = UUID::random();
    std::vector<Entry> entries;
    std::vector<std::filesystem::path> urls;  // every folder to create
    bool thenTransfer = false;                // start the transfer once they exist
};

}  // namespace quillane
