#include "Support/Folders.h"

#include <sys/stat.h>

#include <cerrno>

#include "Support/FileIO.h"

namespace quillane::Folders {

bool createAll(const std::filesystem::path& folder) {
    FileIO& io = FileIO::current();
    std::filesystem::path built;
    for (const auto& part : folder.lexically_normal()) {
        built /= part;
        if (part.empty() || part == "/" || part == "." || part == "..") continue;
        if (io.mkdir(built.c_str(), 0755) == 0) continue;
        const int error = errno;
        if (error != EEXIST) return false;
        struct stat st {};
        if (io.stat(built.c_str(), &st) != 0) return false;
        if (!S_ISDIR(st.st_mode)) {
            errno = ENOTDIR;
            return false;
        }
    }
    return true;
}

}  // namespace quillane::Folders
