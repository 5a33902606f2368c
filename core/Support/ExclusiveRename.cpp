#include "Support/ExclusiveRename.h"

#include <cerrno>

#include "Support/FileIO.h"

namespace quillane::ExclusiveRename {
namespace {

bool unsupported(int error) { return error == EINVAL || error == ENOTSUP || error == ENOSYS; }

}  // namespace

bool rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    FileIO& io = FileIO::current();
    if (io.renameNoReplace(from.c_str(), to.c_str()) == 0) return true;
    if (!unsupported(errno)) return false;

    // A hard link fails rather than replace, like the exclusive rename.
    if (io.link(from.c_str(), to.c_str()) == 0) {
        io.unlink(from.c_str());
        return true;
    }
    if (errno == EEXIST) return false;

    // Folders, and file systems without hard links: look first, then a plain rename.
    struct stat st {};
    if (io.lstat(to.c_str(), &st) == 0) {
        errno = EEXIST;
        return false;
    }
    return io.rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace quillane::ExclusiveRename
