#include "Model/FolderListing.h"

namespace quillane::FolderListing {

namespace fs = std::filesystem;

std::vector<std::string> visibleFolders(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator it(folder, error), end;
    for (; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        if (name.starts_with(".")) continue;
        std::error_code kindError;
        if (it->is_directory(kindError) && !kindError) names.push_back(std::move(name));
    }
    return names;
}

bool hasVisibleEntry(const fs::path& folder) {
    std::error_code error;
    fs::directory_iterator it(folder, error), end;
    for (; !error && it != end; it.increment(error))
        if (!it->path().filename().string().starts_with(".")) return true;
    return false;
}

bool isFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

bool exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

}  // namespace quillane::FolderListing
