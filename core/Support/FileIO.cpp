#include "Support/FileIO.h"

#include <dirent.h>
#include <sys/syscall.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <linux/fs.h>

namespace quillane {

int FileIO::open(const char* path, int flags, mode_t mode) {
    int fd;
    do fd = ::open(path, flags | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}
ssize_t FileIO::read(int fd, void* buffer, std::size_t size) { return ::read(fd, buffer, size); }
ssize_t FileIO::pread(int fd, void* buffer, std::size_t size, off_t offset) {
    return ::pread(fd, buffer, size, offset);
}
ssize_t FileIO::write(int fd, const void* buffer, std::size_t size) { return ::write(fd, buffer, size); }
ssize_t FileIO::pwrite(int fd, const void* buffer, std::size_t size, off_t offset) {
    return ::pwrite(fd, buffer, size, offset);
}
int FileIO::fsync(int fd) { return ::fsync(fd); }
int FileIO::close(int fd) { return ::close(fd); }
int FileIO::fstat(int fd, struct stat* st) { return ::fstat(fd, st); }
int FileIO::stat(const char* path, struct stat* st) { return ::stat(path, st); }
int FileIO::lstat(const char* path, struct stat* st) { return ::lstat(path, st); }
int FileIO::lstatx(const char* path, unsigned int mask, struct statx* st) {
    return ::statx(AT_FDCWD, path, AT_SYMLINK_NOFOLLOW, mask, st);
}
int FileIO::mkdir(const char* path, mode_t mode) { return ::mkdir(path, mode); }
int FileIO::unlink(const char* path) { return ::unlink(path); }
int FileIO::rmdir(const char* path) { return ::rmdir(path); }
int FileIO::rename(const char* from, const char* to) { return ::rename(from, to); }
int FileIO::renameNoReplace(const char* from, const char* to) {
    return static_cast<int>(::syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE));
}
int FileIO::link(const char* from, const char* to) { return ::link(from, to); }
int FileIO::futimens(int fd, const struct timespec times[2]) { return ::futimens(fd, times); }
int FileIO::utimensat(const char* path, const struct timespec times[2]) {
    return ::utimensat(AT_FDCWD, path, times, 0);
}
int FileIO::posixFadvise(int fd, off_t offset, off_t length, int advice) {
    return ::posix_fadvise(fd, offset, length, advice);
}
int FileIO::syncFileRange(int fd, off_t offset, off_t length, unsigned int flags) {
    return ::sync_file_range(fd, offset, length, flags);
}
int FileIO::fcntl(int fd, int command, int argument) { return ::fcntl(fd, command, argument); }
int FileIO::syncfs(int fd) { return ::syncfs(fd); }
int FileIO::fileSystemType(const char* path, long& type) {
    struct statfs st {};
    if (::statfs(path, &st) != 0) return -1;
    type = static_cast<long>(st.f_type);
    return 0;
}
int FileIO::access(const char* path, int mode) { return ::access(path, mode); }
int FileIO::listDirectory(int folderFd, const std::function<void(std::string_view, unsigned char)>& each) {
    DIR* opened = ::fdopendir(folderFd);
    if (opened == nullptr) {
        const int e = errno;
        ::close(folderFd);
        return e;
    }
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(opened, ::closedir);  // closed even when each throws
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir.get());
        if (entry == nullptr) return errno;
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        each(name, entry->d_type);
    }
}

namespace {
FileIO realLayer;
std::atomic<FileIO*> installed{nullptr};
}  // namespace

FileIO& FileIO::current() {
    FileIO* layer = installed.load(std::memory_order_acquire);
    return layer ? *layer : realLayer;
}

FileIO* FileIO::install(FileIO* layer) { return installed.exchange(layer, std::memory_order_acq_rel); }

FileError::FileError(int errorNumber, std::filesystem::path path, const std::string& what)
    : std::system_error(errorNumber, std::generic_category(), what + ": " + path.string()),
      path_(std::move(path)) {}

namespace FileOps {

bool writeAll(int fd, const void* data, std::size_t size) {
    FileIO& io = FileIO::current();
    auto p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = io.write(fd, p, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

std::string readFile(const std::filesystem::path& path, std::size_t maxBytes) {
    FileIO& io = FileIO::current();
    const int fd = io.open(path.c_str(), O_RDONLY);
    if (fd < 0) throw FileError(errno, path, "cannot open");
    struct stat st {};
    if (io.fstat(fd, &st) != 0) {
        const int e = errno;
        io.close(fd);
        throw FileError(e, path, "cannot read");
    }
    if (S_ISDIR(st.st_mode)) {
        io.close(fd);
        throw FileError(EISDIR, path, "cannot read");
    }
    if (st.st_size > 0 && static_cast<std::uint64_t>(st.st_size) > maxBytes) {
        io.close(fd);
        throw FileError(EFBIG, path, "file too large");
    }
    std::string content;
    char chunk[65536];
    for (;;) {
        const ssize_t n = io.read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int e = errno;
            io.close(fd);
            throw FileError(e, path, "cannot read");
        }
        if (n == 0) break;
        if (content.size() + static_cast<std::size_t>(n) > maxBytes) {
            io.close(fd);
            throw FileError(EFBIG, path, "file too large");
        }
        content.append(chunk, static_cast<std::size_t>(n));
    }
    io.close(fd);
    return content;
}

bool syncDirectory(const std::filesystem::path& folder) {
    FileIO& io = FileIO::current();
    const int fd = io.open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return false;
    const bool ok = io.fsync(fd) == 0 || errno == EINVAL;  // some file systems cannot sync folders
    return io.close(fd) == 0 && ok;
}

bool exists(const std::filesystem::path& path) {
    struct stat st {};
    return FileIO::current().lstat(path.c_str(), &st) == 0;
}

}  // namespace FileOps
}  // namespace quillane
