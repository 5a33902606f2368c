#pragma once
#include <filesystem>

namespace quillane::Folders {
// Creates the folder and every missing folder above it through the file I/O layer
// (mkdir -p). True when the folder exists afterwards; false with errno set otherwise
// (ENOTDIR when a file stands in the way).
bool createAll(const std::filesystem::path& folder);
}  // namespace quillane::Folders
