#include "Support/AtomicFile.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

#include "Support/FileIO.h"

namespace quillane::AtomicFile {

void write(const std::filesystem::path& path, std::string_view bytes, mode_t mode) {
    static std::atomic<unsigned> counter{0};
    FileIO& io = FileIO::current();
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    const std::string stem = path.filename().string();

    std::filesystem::path temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = folder / ("." + stem + ".tmp-" + std::to_string(::getpid()) + "-" +
                              std::to_string(counter.fetch_add(1)));
        fd = io.open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL, mode);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) throw FileError(errno, path, "cannot create");

    auto fail = [&](int error, const char* what) {
        if (fd >= 0) io.close(fd);
        io.unlink(temporary.c_str());
        throw FileError(error, path, what);
    };
    if (!FileOps::writeAll(fd, bytes.data(), bytes.size())) fail(errno, "cannot write");
    if (io.fsync(fd) != 0) fail(errno, "cannot sync");
    const int closed = io.close(fd);
    fd = -1;
    if (closed != 0) fail(errno, "cannot close");
    if (io.rename(temporary.c_str(), path.c_str()) != 0) fail(errno, "cannot rename");
    FileOps::syncDirectory(folder);
}

}  // namespace quillane::AtomicFile
