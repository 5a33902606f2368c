#pragma once
#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string_view>

namespace quillane::Folders {
// Creates the folder and every missing folder above it through the file I/O layer
// (mkdir -p), each with mode (less the umask). True when the folder exists afterwards; false
// with errno set otherwise (ENOTDIR when a file stands in the way), and failed, when given, set
// to the folder that could not be made.
bool createAll(const std::filesystem::path& folder, mode_t mode = 0755, std::filesystem::path* failed = nullptr);

// A stored base folder, relative to a volume's root, joined to that root. None when it would lead
// out of the volume: an absolute path, a ".." anywhere, or a symbolic link (existing now) whose
// target lies outside the root. An empty text is the root itself.
std::optional<std::filesystem::path> joinInside(const std::filesystem::path& volumeRoot, std::string_view relative);
}  // namespace quillane::Folders
