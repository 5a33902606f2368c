#pragma once
#include <sys/types.h>

#include <filesystem>
#include <string_view>

namespace quillane::AtomicFile {
// Writes bytes to path all or nothing: a hidden temporary file in the same folder is written,
// synced and renamed over path, then the folder is synced. A crash at any point leaves either
// the previous file or the new one. Throws FileError; the temporary file never remains.
// The file is created with mode (less the umask).
void write(const std::filesystem::path& path, std::string_view bytes, mode_t mode = 0644);
}  // namespace quillane::AtomicFile
