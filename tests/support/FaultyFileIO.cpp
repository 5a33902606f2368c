#include "support/FaultyFileIO.h"

#include <algorithm>
#include <cerrno>

namespace quillane::testing {

FaultyFileIO::FaultyFileIO() : previous_(FileIO::install(this)) {}
FaultyFileIO::~FaultyFileIO() { FileIO::install(previous_); }

void FaultyFileIO::fail(Rule rule) {
    std::lock_guard guard(mutex_);
    rules_.push_back(std::move(rule));
    ruleSeen_.push_back(0);
}

int FaultyFileIO::failures(Call call) const {
    std::lock_guard guard(mutex_);
    auto it = failures_.find(call);
    return it == failures_.end() ? 0 : it->second;
}

int FaultyFileIO::calls(Call call, const std::string& pathContains) const {
    std::lock_guard guard(mutex_);
    return static_cast<int>(std::count_if(log_.begin(), log_.end(), [&](const auto& entry) {
        return entry.first == call && entry.second.find(pathContains) != std::string::npos;
    }));
}

std::set<std::string> FaultyFileIO::readsFromCache() const {
    std::lock_guard guard(mutex_);
    return cacheReads_;
}

std::string FaultyFileIO::pathOf(int fd) const {
    std::lock_guard guard(mutex_);
    auto it = open_.find(fd);
    return it == open_.end() ? std::string() : it->second.path;
}

FaultyFileIO::Decision FaultyFileIO::decide(Call call, const std::string& path, int fd, std::size_t size) {
    std::lock_guard guard(mutex_);
    log_.emplace_back(call, path);
    for (std::size_t i = 0; i < rules_.size(); ++i) {
        Rule& rule = rules_[i];
        if (rule.call != call) continue;
        if (!rule.pathContains.empty() && path.find(rule.pathContains) == std::string::npos) continue;
        if (rule.once && ruleSeen_[i] > rule.skipCalls) continue;
        if (ruleSeen_[i]++ < rule.skipCalls) continue;
        Decision decision;
        if (call == Call::read && rule.shortReads > 0) {
            ++failures_[call];
            decision.limit = std::min(size, rule.shortReads);
            return decision;
        }
        if ((call == Call::read || call == Call::write) && rule.afterBytes > 0) {
            auto it = open_.find(fd);
            const std::int64_t done = it == open_.end() ? 0 : it->second.bytes;
            if (done < rule.afterBytes) {
                // Let the rest up to the limit through first; the next call fails.
                --ruleSeen_[i];
                decision.limit = static_cast<std::size_t>(std::min<std::int64_t>(
                    static_cast<std::int64_t>(size), rule.afterBytes - done));
                return decision;
            }
        }
        if (rule.error == 0) {  // a hook: run it, let the call through
            decision.before = rule.before;
            return decision;
        }
        ++failures_[call];
        decision.fail = true;
        decision.error = rule.error;
        decision.before = rule.before;
        return decision;
    }
    return {};
}

FaultyFileIO::Decision FaultyFileIO::enter(Call call, const std::string& path, int fd, std::size_t size) {
    Decision d = decide(call, path, fd, size);
    if (d.before) d.before();
    return d;
}

void FaultyFileIO::account(int fd, ssize_t transferred, bool read) {
    if (transferred <= 0) return;
    // Asked of the kernel, not taken from the calls seen: a descriptor may change outside the layer.
    const bool direct = read && (::fcntl(fd, F_GETFL) & O_DIRECT) != 0;
    std::lock_guard guard(mutex_);
    auto it = open_.find(fd);
    if (it == open_.end()) return;
    Open& o = it->second;
    o.bytes += transferred;
    const std::uint64_t writes = read ? writes_[o.file] : ++writes_[o.file];
    if (read && !direct && o.dropped != writes) cacheReads_.insert(o.path);
}

namespace {
template <typename F>
auto failWith(int error, F result) {
    errno = error;
    return result;
}
}  // namespace

int FaultyFileIO::open(const char* path, int flags, mode_t mode) {
    Decision d = enter(Call::open, path, -1, 0);
    if (d.fail) return failWith(d.error, -1);
    const int fd = FileIO::open(path, flags, mode);
    if (fd >= 0) {
        struct stat st {};
        ::fstat(fd, &st);
        std::lock_guard guard(mutex_);
        Open& o = open_[fd] = Open{};
        o.path = path;
        o.file = {st.st_dev, st.st_ino};
    }
    return fd;
}

ssize_t FaultyFileIO::read(int fd, void* buffer, std::size_t size) {
    Decision d = enter(Call::read, pathOf(fd), fd, size);
    if (d.fail) return failWith(d.error, ssize_t(-1));
    const ssize_t n = FileIO::read(fd, buffer, d.limit > 0 ? d.limit : size);
    account(fd, n, /*read=*/true);
    return n;
}

ssize_t FaultyFileIO::write(int fd, const void* buffer, std::size_t size) {
    Decision d = enter(Call::write, pathOf(fd), fd, size);
    if (d.fail) return failWith(d.error, ssize_t(-1));
    const ssize_t n = FileIO::write(fd, buffer, d.limit > 0 ? d.limit : size);
    account(fd, n, /*read=*/false);
    return n;
}

ssize_t FaultyFileIO::pwrite(int fd, const void* buffer, std::size_t size, off_t offset) {
    Decision d = enter(Call::write, pathOf(fd), fd, size);
    if (d.fail) return failWith(d.error, ssize_t(-1));
    const ssize_t n = FileIO::pwrite(fd, buffer, d.limit > 0 ? d.limit : size, offset);
    account(fd, n, /*read=*/false);
    return n;
}

int FaultyFileIO::fsync(int fd) {
    Decision d = enter(Call::fsync, pathOf(fd), fd, 0);
    if (d.fail) return failWith(d.error, -1);
    return FileIO::fsync(fd);
}

int FaultyFileIO::close(int fd) {
    const std::string path = pathOf(fd);
    {
        std::lock_guard guard(mutex_);
        open_.erase(fd);
    }
    Decision d = enter(Call::close, path, fd, 0);
    const int result = FileIO::close(fd);  // the descriptor is gone either way, as with a real close
    if (d.fail) return failWith(d.error, -1);
    return result;
}

int FaultyFileIO::lstat(const char* path, struct stat* st) {
    Decision d = enter(Call::lstat, path, -1, 0);
    if (d.fail) return failWith(d.error, -1);
    return FileIO::lstat(path, st);
}

int FaultyFileIO::lstatx(const char* path, unsigned int mask, struct statx* st) {
    Decision d = enter(Call::lstatx, path, -1, 0);
    if (d.fail) return failWith(d.error, -1);
    return FileIO::lstatx(path, mask, st);
}

int FaultyFileIO::mkdir(const char* path, mode_t mode) {
    Decision d = enter(Call::mkdir, path, -1, 0);
    if (d.fail) return failWith(d.error, -1);
    return FileIO::mkdir(path, mode);
}

int FaultyFileIO::rename(const char* from, const char* to) {
    Decision d = enter(Call::rename, to, -1, 0);
    if (d.fail) return failWith(d.error, -1);
    return FileIO::rename(from, to);
}

int FaultyFileIO::renameNoReplace(const char* from, const char* to) {
    Decision d = enter(Call::renameNoReplace, to, -1, 0);
    if (d.fail) return failWith(d.error, -1);
    return FileIO::renameNoReplace(from, to);
}

int FaultyFileIO::link(const char* from, const char* to) {
    Decision d = enter(Call::link, to, -1, 0);
    if (d.fail) return failWith(d.error, -1);
    return FileIO::link(from, to);
}

int FaultyFileIO::utimensat(const char* path, const struct timespec times[2]) {
    Decision d = enter(Call::utimensat, path, -1, 0);
    if (d.fail) return failWith(d.error, -1);
    return FileIO::utimensat(path, times);
}

int FaultyFileIO::syncFileRange(int fd, off_t offset, off_t length, unsigned int flags) {
    Decision d = enter(Call::syncFileRange, pathOf(fd), fd, 0);
    if (d.fail) return failWith(d.error, -1);
    const int result = FileIO::syncFileRange(fd, offset, length, flags);
    constexpr unsigned int writeAndWait =
        SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER;
    if (result == 0 && offset == 0 && length == 0 && flags == writeAndWait) {
        std::lock_guard guard(mutex_);
        if (auto it = open_.find(fd); it != open_.end()) it->second.writtenBack = writes_[it->second.file];
    }
    return result;
}

int FaultyFileIO::fcntl(int fd, int command, int argument) {
    Decision d = enter(Call::fcntl, pathOf(fd), fd, 0);
    if (d.fail) return failWith(d.error, -1);
    return FileIO::fcntl(fd, command, argument);
}

ssize_t FaultyFileIO::pread(int fd, void* buffer, std::size_t size, off_t offset) {
    Decision d = enter(Call::read, pathOf(fd), fd, size);
    if (d.fail) return failWith(d.error, ssize_t(-1));
    const ssize_t n = FileIO::pread(fd, buffer, d.limit > 0 ? d.limit : size, offset);
    account(fd, n, /*read=*/true);
    return n;
}

int FaultyFileIO::fstat(int fd, struct stat* st) {
    Decision d = enter(Call::fstat, pathOf(fd), fd, 0);
    if (d.fail) return failWith(d.error, -1);
    return FileIO::fstat(fd, st);
}

int FaultyFileIO::stat(const char* path, struct stat* st) {
    Decision d = enter(Call::stat, path, -1, 0);
    if (d.fail) return failWith(d.error, -1);
    return FileIO::stat(path, st);
}

int FaultyFileIO::unlink(const char* path) {
    Decision d = enter(Call::unlink, path, -1, 0);
    if (d.fail) return failWith(d.error, -1);
    return FileIO::unlink(path);
}

int FaultyFileIO::rmdir(const char* path) {
    Decision d = enter(Call::rmdir, path, -1, 0);
    if (d.fail) return failWith(d.error, -1);
    return FileIO::rmdir(path);
}

int FaultyFileIO::futimens(int fd, const struct timespec times[2]) {
    Decision d = enter(Call::futimens, pathOf(fd), fd, 0);
    if (d.fail) return failWith(d.error, -1);
    return FileIO::futimens(fd, times);
}

int FaultyFileIO::posixFadvise(int fd, off_t offset, off_t length, int advice) {
    Decision d = enter(Call::posixFadvise, pathOf(fd), fd, 0);
    if (d.fail) return d.error;  // like posix_fadvise: the error number is the result
    const int result = FileIO::posixFadvise(fd, offset, length, advice);
    if (result == 0 && offset == 0 && length == 0 && advice == POSIX_FADV_DONTNEED) {
        std::lock_guard guard(mutex_);
        auto it = open_.find(fd);
        if (it != open_.end() && it->second.writtenBack && it->second.writtenBack == writes_[it->second.file])
            it->second.dropped = it->second.writtenBack;
    }
    return result;
}

int FaultyFileIO::syncfs(int fd) {
    Decision d = enter(Call::syncfs, pathOf(fd), fd, 0);
    if (d.fail) return failWith(d.error, -1);
    return FileIO::syncfs(fd);
}

int FaultyFileIO::fileSystemType(const char* path, long& type) {
    Decision d = enter(Call::fileSystemType, path, -1, 0);
    if (d.fail) return failWith(d.error, -1);
    return FileIO::fileSystemType(path, type);
}

int FaultyFileIO::access(const char* path, int mode) {
    Decision d = enter(Call::access, path, -1, 0);
    if (d.fail) return failWith(d.error, -1);
    return FileIO::access(path, mode);
}

int FaultyFileIO::listDirectory(int folderFd, const std::function<void(std::string_view, unsigned char)>& each) {
    const std::string path = pathOf(folderFd);
    {
        std::lock_guard guard(mutex_);
        open_.erase(folderFd);
    }
    Decision d = enter(Call::listDirectory, path, folderFd, 0);
    if (d.fail) {
        FileIO::close(folderFd);
        return d.error;
    }
    return FileIO::listDirectory(folderFd, each);
}

}  // namespace quillane::testing
