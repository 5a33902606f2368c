#pragma once
#include <filesystem>
#include <string>
#include <vector>

// The small directory reads of planning: never throw, count failures as absent or empty.
namespace quillane::FolderListing {

// Names of the folders in folder that do not begin with "."; empty when it can't be listed.
std::vector<std::string> visibleFolders(const std::filesystem::path& folder);
// The folder holds at least one entry whose name does not begin with ".".
bool hasVisibleEntry(const std::filesystem::path& folder);
// A folder (not a file) stands at path.
bool isFolder(const std::filesystem::path& path);
// Anything (file, folder, link) stands at path.
bool exists(const std::filesystem::path& path);

}  // namespace quillane::FolderListing
