#include "Transfer/DestinationFiles.h"

#include <sys/stat.h>

#include "Support/FileIO.h"

namespace quillane::DestinationFiles {

DestinationFile check(const std::filesystem::path& final, std::int64_t size) {
    struct stat st {};
    if (FileIO::current().lstat(final.c_str(), &st) != 0) return DestinationFile::missing;
    return S_ISREG(st.st_mode) && st.st_size == size ? DestinationFile::present : DestinationFile::conflict;
}

std::optional<dev_t> volumeOf(const std::filesystem::path& path) {
    FileIO& io = FileIO::current();
    std::filesystem::path at = path.lexically_normal();
    for (;;) {
        struct stat st {};
        if (io.stat(at.c_str(), &st) == 0) return st.st_dev;
        const std::filesystem::path parent = at.has_relative_path() ? at.parent_path() : at;
        if (parent == at || parent.empty()) return std::nullopt;
        at = parent;
    }
}

bool liesOn(const std::filesystem::path& path, dev_t volume) {
    const std::optional<dev_t> device = volumeOf(path);
    return device && *device == volume;
}

}  // namespace quillane::DestinationFiles
