#pragma once
#include <filesystem>

namespace quillane::ExclusiveRename {
// Renames a file or folder, never replacing what stands at the target: renameat2 with
// RENAME_NOREPLACE; where the file system lacks it, a hard link and an unlink (files), then a
// look at the target and a plain rename. False with errno set on failure (EEXIST when
// something stands at the target).
bool rename(const std::filesystem::path& from, const std::filesystem::path& to);
}  // namespace quillane::ExclusiveRename
