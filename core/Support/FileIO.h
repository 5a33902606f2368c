#pragma once
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>

namespace quillane {

// The one door through which the transfer core, the writers and the stores touch files.
// Every call has POSIX semantics: -1 (or a negative count) and errno on failure.
// Tests swap in a layer that fails on demand (EIO, a failing fsync, EINVAL from renameat2,
// a short read), which no real file system here produces when asked.
class FileIO {
public:
    virtual ~FileIO() = default;

    virtual int open(const char* path, int flags, mode_t mode = 0644);
    virtual ssize_t read(int fd, void* buffer, std::size_t size);
    virtual ssize_t pread(int fd, void* buffer, std::size_t size, off_t offset);
    virtual ssize_t write(int fd, const void* buffer, std::size_t size);
    virtual ssize_t pwrite(int fd, const void* buffer, std::size_t size, off_t offset);
    virtual int fsync(int fd);
    virtual int close(int fd);
    virtual int fstat(int fd, struct stat* st);
    virtual int stat(const char* path, struct stat* st);
    virtual int lstat(const char* path, struct stat* st);
    // statx without following a final symbolic link (birth time where the file system keeps it).
    virtual int lstatx(const char* path, unsigned int mask, struct statx* st);
    virtual int mkdir(const char* path, mode_t mode = 0755);
    virtual int unlink(const char* path);
    virtual int rmdir(const char* path);
    // Replaces the target when it exists (atomic writes of our own files only).
    virtual int rename(const char* from, const char* to);
    // renameat2(RENAME_NOREPLACE): EEXIST when the target exists; EINVAL where unsupported.
    virtual int renameNoReplace(const char* from, const char* to);
    virtual int link(const char* from, const char* to);
    virtual int futimens(int fd, const struct timespec times[2]);
    virtual int utimensat(const char* path, const struct timespec times[2]);
    virtual int posixFadvise(int fd, off_t offset, off_t length, int advice);
    virtual int syncFileRange(int fd, off_t offset, off_t length, unsigned int flags);
    // fcntl with an int argument (F_GETFL, F_SETFL); the argument is ignored where none is taken.
    virtual int fcntl(int fd, int command, int argument = 0);
    // Writes back everything of the file system that holds fd.
    virtual int syncfs(int fd);
    // The kind of file system (f_type, a magic number) that holds path; -1 with errno.
    virtual int fileSystemType(const char* path, long& type);
    virtual int access(const char* path, int mode);
    // Hands every entry of an open folder but "." and ".." to each(name, d_type), then closes
    // the descriptor (also on failure). 0 when the folder was read to its end, else the errno.
    virtual int listDirectory(int folderFd, const std::function<void(std::string_view name, unsigned char type)>& each);

    // The layer in use; the real one unless a test installed another.
    static FileIO& current();
    // Installs a layer (nullptr restores the real one); returns the previous. Not for use
    // while a transfer runs.
    static FileIO* install(FileIO* layer);
};

// A failure on a file, carrying its path.
class FileError : public std::system_error {
public:
    FileError(int errorNumber, std::filesystem::path path, const std::string& what);
    const std::filesystem::path& path() const noexcept { return path_; }

private:
    std::filesystem::path path_;
};

namespace FileOps {
// Writes every byte, retrying short writes and EINTR. False with errno set on failure.
bool writeAll(int fd, const void* data, std::size_t size);
// The whole file; throws FileError. maxBytes guards against hostile sizes.
std::string readFile(const std::filesystem::path& path, std::size_t maxBytes = 64u << 20);
// fsync of a folder, so that a rename inside it is durable.
bool syncDirectory(const std::filesystem::path& folder);
bool exists(const std::filesystem::path& path);
}  // namespace FileOps

}  // namespace quillane
