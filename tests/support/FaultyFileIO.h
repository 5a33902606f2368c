#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "Support/FileIO.h"

namespace quillane::testing {

// A file I/O layer that behaves like the real one until a rule matches, then fails the
// call with a chosen errno: what no file system here produces on demand (EIO on one
// writer, a failing fsync, EINVAL from renameat2, a read that breaks mid-file, short reads).
// Installed for its lifetime; thread-safe, so a running engine may hit it from any worker.
// It also notes every read that the page cache may have served rather than the medium.
class FaultyFileIO : public FileIO {
public:
    enum class Call {
        open, read, write, fsync, close, renameNoReplace, rename, lstat, lstatx, mkdir, link, utimensat, syncFileRange,
        fstat, stat, unlink, rmdir, futimens, posixFadvise, access, listDirectory, syncfs,
        fileSystemType, fcntl
    };

    struct Rule {
        Call call;
        // Applies to calls on a path containing this text (fd calls: the path the fd was opened
        // with); empty matches every path.
        std::string pathContains = {};
        // 0 makes the rule a hook: `before` runs and the call goes through unharmed.
        int error = EIO;
        // read/write (pread and pwrite count as these): let this many bytes through on the
        // descriptor first, then fail.
        std::int64_t afterBytes = 0;
        // Let this many matching calls pass before failing.
        int skipCalls = 0;
        // Fail only once (then the rule is spent).
        bool once = false;
        // read only: instead of failing, return at most this many bytes per call.
        std::size_t shortReads = 0;
        // Runs (outside the layer's lock) just before a matching call fails (or, for a hook, is
        // made); a test may change the file system here, e.g. create the final name a rename
        // is about to hit, or cancel a transfer at a chosen byte.
        std::function<void()> before = {};
    };

    FaultyFileIO();
    ~FaultyFileIO() override;
    FaultyFileIO(const FaultyFileIO&) = delete;
    FaultyFileIO& operator=(const FaultyFileIO&) = delete;

    void fail(Rule rule);
    // How many calls of a kind matched a rule and failed (or were shortened).
    int failures(Call call) const;
    // How many calls of a kind were made on paths containing the text, failing or not.
    int calls(Call call, const std::string& pathContains = {}) const;
    // The paths of the files read through the page cache: by a descriptor without O_DIRECT at that
    // moment that had not written the whole file back (waiting for it) and then dropped it all from
    // the cache, with no write to the file since.
    std::set<std::string> readsFromCache() const;

    int open(const char* path, int flags, mode_t mode) override;
    ssize_t read(int fd, void* buffer, std::size_t size) override;
    ssize_t write(int fd, const void* buffer, std::size_t size) override;
    ssize_t pwrite(int fd, const void* buffer, std::size_t size, off_t offset) override;
    int fsync(int fd) override;
    int close(int fd) override;
    int lstat(const char* path, struct stat* st) override;
    int lstatx(const char* path, unsigned int mask, struct statx* st) override;
    int mkdir(const char* path, mode_t mode) override;
    int rename(const char* from, const char* to) override;
    int renameNoReplace(const char* from, const char* to) override;
    int link(const char* from, const char* to) override;
    int utimensat(const char* path, const struct timespec times[2]) override;
    int syncFileRange(int fd, off_t offset, off_t length, unsigned int flags) override;
    int fcntl(int fd, int command, int argument) override;
    ssize_t pread(int fd, void* buffer, std::size_t size, off_t offset) override;
    int fstat(int fd, struct stat* st) override;
    int stat(const char* path, struct stat* st) override;
    int unlink(const char* path) override;
    int rmdir(const char* path) override;
    int futimens(int fd, const struct timespec times[2]) override;
    int posixFadvise(int fd, off_t offset, off_t length, int advice) override;
    int access(const char* path, int mode) override;
    int syncfs(int fd) override;
    int fileSystemType(const char* path, long& type) override;
    int listDirectory(int folderFd, const std::function<void(std::string_view, unsigned char)>& each) override;

private:
    struct Decision {
        bool fail = false;
        int error = 0;
        std::size_t limit = 0;  // bytes allowed through before failing (read/write); 0: none
        std::function<void()> before = {};
    };
    // Decides a call on a path; size is the byte count asked for (read/write), fd the descriptor.
    Decision decide(Call call, const std::string& path, int fd, std::size_t size);
    // decide, then run the rule's hook, if any, before the call goes on.
    Decision enter(Call call, const std::string& path, int fd, std::size_t size);
    std::string pathOf(int fd) const;  // takes the lock
    // After a read (or a write) on fd that moved this many bytes.
    void account(int fd, ssize_t transferred, bool read);

    // A file, whatever its name: device and inode.
    using FileKey = std::pair<dev_t, ino_t>;
    // An open descriptor: its path, the bytes it moved, its file, and whether its reads come from
    // the medium when it does not read directly.
    struct Open {
        std::string path;
        std::int64_t bytes = 0;
        FileKey file{};
        // The file's write count when this descriptor wrote it all back and waited, and when it
        // then dropped it all from the cache.
        std::optional<std::uint64_t> writtenBack, dropped;
    };

    mutable std::mutex mutex_;
    std::vector<Rule> rules_;
    std::vector<int> ruleSeen_;
    std::map<int, Open> open_;
    std::map<FileKey, std::uint64_t> writes_;  // writes per file, through any descriptor
    std::set<std::string> cacheReads_;
    std::map<Call, int> failures_;
    std::vector<std::pair<Call, std::string>> log_;
    FileIO* previous_;
};

}  // namespace quillane::testing
