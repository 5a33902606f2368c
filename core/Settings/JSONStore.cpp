#include "Settings/JSONStore.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <mutex>
#include <set>

#include "Support/AtomicFile.h"
#include "Support/Clock.h"
#include "Support/Dates.h"
#include "Support/ExclusiveRename.h"
#include "Support/FileIO.h"
#include "Support/Folders.h"

namespace quillane::JSONStoreFile {
namespace {

// Files whose unreadable content could not be set aside: writing them would destroy
// the only copy, so this run leaves them alone.
std::mutex protectedLock;
std::set<std::filesystem::path>& protectedFiles() {
    static std::set<std::filesystem::path> files;
    return files;
}

void protect(const std::filesystem::path& url) {
    std::lock_guard guard(protectedLock);
    protectedFiles().insert(url.lexically_normal());
}

std::string currentStamp() {
    std::string stamp = Dates::iso8601(Clock::current().now());
    std::replace(stamp.begin(), stamp.end(), ':', '-');
    return stamp;
}

constexpr int maxAttempts = 100;

// Writes bytes to a new file at target; false (and nothing left behind) on any failure,
// including when target exists.
bool writeNewFile(const std::filesystem::path& target, const std::string& bytes) {
    FileIO& io = FileIO::current();
    const int fd = io.open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL, StoreLocation::fileMode);
    if (fd < 0) return false;
    const bool written = FileOps::writeAll(fd, bytes.data(), bytes.size()) && io.fsync(fd) == 0;
    const bool closed = io.close(fd) == 0;
    if (written && closed) return true;
    io.unlink(target.c_str());
    errno = EIO;
    return false;
}

bool copyAside(const std::filesystem::path& url, const std::string& bytes) {
    const std::string stamp = currentStamp();
    for (int attempt = 1; attempt <= maxAttempts; ++attempt) {
        if (writeNewFile(unreadableName(url, stamp, attempt), bytes)) {
            FileOps::syncDirectory(url.parent_path());
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

bool renameAside(const std::filesystem::path& url) {
    const std::string stamp = currentStamp();
    for (int attempt = 1; attempt <= maxAttempts; ++attempt) {
        if (ExclusiveRename::rename(url, unreadableName(url, stamp, attempt))) {
            FileOps::syncDirectory(url.parent_path());
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

}  // namespace

std::filesystem::path unreadableName(const std::filesystem::path& url, const std::string& stamp, int attempt) {
    std::filesystem::path name = url;
    std::string extension = "unreadable-" + stamp;
    if (attempt > 1) extension.append("-").append(std::to_string(attempt));
    name.replace_extension(extension + ".json");
    return name;
}

bool isProtected(const std::filesystem::path& url) {
    std::lock_guard guard(protectedLock);
    return protectedFiles().count(url.lexically_normal()) > 0;
}

std::optional<std::string> read(const std::filesystem::path& url) {
    try {
        // A pipe, socket or device in the file's place would block or never end: unreadable.
        struct stat st {};
        if (FileIO::current().stat(url.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
            throw FileError(S_ISDIR(st.st_mode) ? EISDIR : EINVAL, url, "not a file");
        return FileOps::readFile(url);
    } catch (const FileError& error) {
        const int code = error.code().value();
        if (code == ENOENT || code == ENOTDIR) return std::nullopt;  // nothing stored
        if (!renameAside(url)) protect(url);
        return std::nullopt;
    } catch (...) {
        if (!renameAside(url)) protect(url);
        return std::nullopt;
    }
}

void setAsideUndecodable(const std::filesystem::path& url, const std::string& bytes) {
    if (copyAside(url, bytes)) return;
    if (renameAside(url)) return;
    protect(url);
}

void write(const std::filesystem::path& url, const std::string& bytes) {
    if (isProtected(url)) return;
    try {
        if (url.has_parent_path()) Folders::createAll(url.parent_path(), StoreLocation::folderMode);
        AtomicFile::write(url, bytes, StoreLocation::fileMode);
    } catch (...) {
    }
}

}  // namespace quillane::JSONStoreFile
