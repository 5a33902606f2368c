#include "Detection/ContentProber.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <deque>
#include <utility>
#include <vector>

#include "Detection/MediaTypes.h"
#include "Support/FileIO.h"
#include "Support/Text.h"

namespace quillane {

namespace {

constexpr std::size_t maxSampleNames = 24;
constexpr int maxRecordedDepth = 3;  // folders recorded in directoryPaths
constexpr int maxListedDepth = 4;    // deepest folder that is listed

struct Folder {
    std::string relativePath;       // as on disk, "/"-separated, empty for the root
    int depth = 0;
    bool underCameraTree = false;   // its first segment is one of the camera tree roots
};

struct Entry {
    std::string name;
    unsigned char type;  // d_type
};

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }
    void reset(int fd = -1) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

int openFolderAt(int parent, const char* name) {
    int fd;
    do {
        fd = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// True when the folder is the root of another mount (a file system mounted inside the volume).
bool isMountRoot(int fd) {
#ifdef STATX_ATTR_MOUNT_ROOT
    struct statx sx {};
    if (::statx(fd, "", AT_EMPTY_PATH, STATX_TYPE, &sx) != 0) return false;
    return (sx.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) != 0 && (sx.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
#else
    (void)fd;
    return false;
#endif
}

// Opens a folder below the root one segment at a time, refusing symbolic links at every step
// (a link swapped in after the listing cannot lead the walk out of the volume) and refusing to
// cross into another mount.
FileDescriptor openBelowRoot(int rootFd, const std::string& relativePath) {
    FileDescriptor current(::fcntl(rootFd, F_DUPFD_CLOEXEC, 0));
    std::size_t start = 0;
    while (current.get() >= 0 && start <= relativePath.size()) {
        std::size_t slash = relativePath.find('/', start);
        if (slash == std::string::npos) slash = relativePath.size();
        const std::string segment = relativePath.substr(start, slash - start);
        start = slash + 1;
        if (segment.empty()) continue;
        FileDescriptor next(openFolderAt(current.get(), segment.c_str()));
        if (next.get() < 0 || isMountRoot(next.get())) return FileDescriptor();
        current = std::move(next);
    }
    return current;
}

// Lists the entries of an open folder (closing it), skipping junk, keeping the `keep` first in
// code-point order. Fewer than all are kept only when more could never be looked at anyway,
// so a folder of a million files costs memory for the budget, not for the folder.
bool listSorted(FileDescriptor fd, bool isRoot, std::size_t keep, std::vector<Entry>& out) {
    out.clear();
    auto byName = [](const Entry& a, const Entry& b) { return a.name < b.name; };
    const std::size_t slack = std::max<std::size_t>(keep, 1024);
    const int error = FileIO::current().listDirectory(fd.release(), [&](std::string_view name, unsigned char type) {
        if (MediaTypes::isJunk(name, isRoot)) return;
        out.push_back({std::string(name), type});
        if (out.size() >= keep + slack) {
            std::nth_element(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(keep), out.end(), byName);
            out.resize(keep);
        }
    });
    if (error != 0 && out.empty()) return false;
    std::sort(out.begin(), out.end(), byName);
    if (out.size() > keep) out.resize(keep);
    return true;
}

enum class Kind { file, folder, link };

Kind kindOf(int folderFd, const Entry& entry) {
    switch (entry.type) {
        case DT_DIR: return Kind::folder;
        case DT_LNK: return Kind::link;
        case DT_UNKNOWN: break;
        default: return Kind::file;
    }
    struct stat st {};
    if (::fstatat(folderFd, entry.name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return Kind::file;
    if (S_ISLNK(st.st_mode)) return Kind::link;
    if (S_ISDIR(st.st_mode)) return Kind::folder;
    return Kind::file;
}

bool isCameraTreeRoot(std::string_view upperName) {
    for (std::string_view root : ContentProber::cameraTreeRoots)
        if (upperName == root.substr(0, root.size() - 1)) return true;
    return false;
}

}  // namespace

ContentProbe ContentProber::probe(const std::filesystem::path& root, const std::set<std::string>& videoExtensions,
                                  std::int64_t entryLimit) {
    ContentProbe result;
    FileDescriptor rootFd;
    do {
        rootFd.reset(::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC));
    } while (rootFd.get() < 0 && errno == EINTR);
    if (rootFd.get() < 0) {
        result.accessDenied = true;
        return result;
    }

    const std::int64_t limit = std::max<std::int64_t>(entryLimit, 0);
    std::int64_t visited = 0;
    std::deque<Folder> queue{Folder{}};
    std::vector<Entry> entries;

    while (!queue.empty()) {
        const Folder folder = std::move(queue.front());
        queue.pop_front();
        const bool isRoot = folder.depth == 0;

        FileDescriptor fd = isRoot ? FileDescriptor(::fcntl(rootFd.get(), F_DUPFD_CLOEXEC, 0))
                                   : openBelowRoot(rootFd.get(), folder.relativePath);
        // One more entry than the budget allows, to notice that the limit was reached.
        const auto keep = static_cast<std::size_t>(std::min<std::int64_t>(limit - visited, INT32_MAX)) + 1;
        const int listedFd = fd.get();
        FileDescriptor statFd(listedFd >= 0 ? ::fcntl(listedFd, F_DUPFD_CLOEXEC, 0) : -1);
        if (listedFd < 0 || statFd.get() < 0 || !listSorted(std::move(fd), isRoot, keep, entries)) {
            if (isRoot) result.accessDenied = true;
            continue;
        }

        for (const Entry& entry : entries) {
            if (visited + 1 > limit) {
                result.truncated = true;
                return result;
            }
            ++visited;

            const Kind kind = kindOf(statFd.get(), entry);
            if (kind == Kind::link) continue;

            const int depth = folder.depth + 1;
            std::string relativePath = isRoot ? entry.name : folder.relativePath + "/" + entry.name;
            if (isRoot && !entry.name.starts_with('.')) result.rootNames.push_back(entry.name);

            if (kind == Kind::folder) {
                if (depth > maxListedDepth) continue;
                if (depth <= maxRecordedDepth) result.directoryPaths.insert(Text::uppercased(relativePath));
                const bool underCameraTree = isRoot ? isCameraTreeRoot(Text::uppercased(entry.name)) : folder.underCameraTree;
                queue.push_back(Folder{std::move(relativePath), depth, underCameraTree});
                continue;
            }

            std::string extension = Text::extension(entry.name);
            if (extension.empty()) continue;
            extension = Text::lowercased(extension);
            const bool shallow = folder.underCameraTree ? depth < 6 : depth < 4;
            if (videoExtensions.count(extension) != 0) {
                if (!shallow) {
                    ++result.deepVideoCount;
                    continue;
                }
                ++result.shallowVideoCount;
                if (result.sampleVideoNames.size() < maxSampleNames) result.sampleVideoNames.push_back(entry.name);
            } else if (MediaTypes::isAudio(extension)) {
                if (!shallow) continue;
                ++result.audioFileCount;
            } else if (!shallow) {
                continue;
            }
            ++result.extensionCounts[extension];
        }
    }
    return result;
}

}  // namespace quillane
