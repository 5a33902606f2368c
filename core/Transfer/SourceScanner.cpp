#include "Transfer/SourceScanner.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <map>

#include "Hashing/XXHash64.h"
#include "Support/Lang.h"
#include "Support/FileIO.h"
#include "Support/Text.h"

namespace quillane {

namespace fs = std::filesystem;
using Clock = std::chrono::system_clock;

SourceScanError::SourceScanError(Kind kind, fs::path path) : kind_(kind), path_(std::move(path)) {
    what_ = kind_ == Kind::cancelled ? "Scan cancelled" : "Can't read the source: " + path_.string();
}

SourceScanError SourceScanError::unreadable(fs::path path) { return SourceScanError(Kind::unreadable, std::move(path)); }
SourceScanError SourceScanError::cancelled() { return SourceScanError(Kind::cancelled, {}); }

std::string SourceScanError::errorDescription() const {
    if (kind_ == Kind::cancelled) return L("Scan geannuleerd", "Scan cancelled");
    return L("Kan de bron niet lezen: ", "Can't read the source: ") + path_.string();
}

namespace {

// The names inside one folder; false when it cannot be opened or read to its end.
bool listFolder(const fs::path& folder, std::vector<std::string>& names) {
    FileIO& io = FileIO::current();
    const int fd = io.open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return false;
    return io.listDirectory(fd, [&](std::string_view name, unsigned char) { names.emplace_back(name); }) == 0;
}

// A card's date as a time point. Dates beyond what the clock can hold (a file system may store
// dates centuries away) are held at its ends instead of overflowing.
Clock::time_point toTimePoint(const struct statx_timestamp& t) {
    using namespace std::chrono;
    constexpr std::int64_t limit = duration_cast<seconds>(Clock::duration::max()).count() - 1;
    const std::int64_t secs = std::clamp<std::int64_t>(t.tv_sec, -limit, limit);
    const std::int64_t nanos = std::clamp<std::int64_t>(t.tv_nsec, 0, 999'999'999);
    return Clock::time_point(duration_cast<Clock::duration>(seconds(secs)) +
                             duration_cast<Clock::duration>(nanoseconds(nanos)));
}

std::string firstLevelName(std::string_view relativePath) {
    std::size_t start = 0;
    while (start < relativePath.size()) {
        const std::size_t slash = relativePath.find('/', start);
        const std::size_t end = slash == std::string_view::npos ? relativePath.size() : slash;
        if (end > start) return std::string(relativePath.substr(start, end - start));
        start = end + 1;
    }
    return std::string(relativePath);
}

fs::path standardised(const fs::path& root) {
    fs::path normal = root.lexically_normal();
    std::string text = normal.string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    return text.empty() ? fs::path(".") : fs::path(text);
}

bool contains(const std::set<std::string>& set, const std::string& key) { return set.count(key) != 0; }

}  // namespace

SourceScan SourceScanner::scan(const fs::path& rootIn, CopyMode mode, const std::set<std::string>& videoExtensions,
                               bool includeAudio, const std::function<bool()>& isCancelled) {
    const fs::path root = standardised(rootIn);
    if (FileIO::current().access(root.c_str(), R_OK) != 0) throw SourceScanError::unreadable(root);

    SourceScan scan;
    scan.root = root;
    scan.mode = mode;
    std::map<std::string, TopLevelEntry> topLevel;

    // Depth first, each folder before its contents. A folder is listed whole and closed
    // before its sub-folders are entered, so the depth of a card costs no descriptors.
    struct Level {
        std::string relative;  // "" for the root
        std::vector<std::string> names;
        std::size_t next = 0;
    };
    std::vector<Level> stack;
    stack.push_back({});
    if (!listFolder(root, stack.back().names)) throw SourceScanError::unreadable(root);

    FileIO& io = FileIO::current();
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.next >= level.names.size()) {
            stack.pop_back();
            continue;
        }
        const std::string name = level.names[level.next++];
        const std::string relative = level.relative.empty() ? name : level.relative + "/" + name;

        if (isCancelled && isCancelled()) throw SourceScanError::cancelled();

        if (MediaTypes::isJunk(name, level.relative.empty())) continue;  // a junk folder is never entered

        const fs::path full = root / relative;
        struct statx st {};
        const int statError =
            io.lstatx(full.c_str(), STATX_TYPE | STATX_SIZE | STATX_MTIME | STATX_BTIME, &st) == 0 ? 0 : errno;
        // An entry that vanished since its folder was listed is passed over; one the card can't
        // describe (a read error, no permission) fails the scan, or the card would be copied
        // incomplete and reported as safe.
        if (statError != 0 && statError != ENOENT && statError != ENOTDIR) throw SourceScanError::unreadable(full);
        const bool haveAttributes = statError == 0 && (st.stx_mask & STATX_TYPE);

        const std::string firstLevel = firstLevelName(relative);
        if (!haveAttributes) continue;

        if (S_ISDIR(st.stx_mode)) {
            scan.directories.push_back(relative);
            if (relative.find('/') == std::string::npos && !topLevel.count(firstLevel))
                topLevel[firstLevel] = TopLevelEntry{firstLevel, true, 0, 0};
            Level child{relative, {}, 0};
            if (!listFolder(full, child.names)) throw SourceScanError::unreadable(full);
            stack.push_back(std::move(child));
            continue;
        }
        if (!S_ISREG(st.stx_mode)) continue;

        const std::string extension = Text::lowercased(Text::extension(name));
        const bool isVideo = contains(videoExtensions, extension);
        if (mode == CopyMode::videoOnly) {
            if (isVideo) {
                ++scan.videoFileCount;
            } else if (!(includeAudio && contains(MediaTypes::audioExtensions(), extension))) {
                ++scan.skippedFileCount;
                continue;
            }
        } else if (isVideo) {
            ++scan.videoFileCount;
        }

        ScannedFile file;
        file.relativePath = relative;
        file.size = (st.stx_mask & STATX_SIZE) ? static_cast<std::int64_t>(st.stx_size) : 0;
        if (st.stx_mask & STATX_MTIME) file.modificationDate = toTimePoint(st.stx_mtime);
        if (st.stx_mask & STATX_BTIME) file.creationDate = toTimePoint(st.stx_btime);

        auto entry = topLevel.find(firstLevel);
        if (entry == topLevel.end())
            entry = topLevel.emplace(firstLevel, TopLevelEntry{firstLevel, relative.find('/') != std::string::npos, 0, 0})
                        .first;
        entry->second.bytes += file.size;
        entry->second.fileCount += 1;
        scan.files.push_back(std::move(file));
    }

    std::stable_sort(scan.files.begin(), scan.files.end(), [](const ScannedFile& a, const ScannedFile& b) {
        return Text::naturalLess(a.relativePath, b.relativePath);
    });
    std::sort(scan.directories.begin(), scan.directories.end());

    if (mode == CopyMode::videoOnly) {
        std::set<std::string> ancestors;
        for (const ScannedFile& file : scan.files) {
            std::string path;
            std::size_t start = 0;
            const std::string& r = file.relativePath;
            for (;;) {
                const std::size_t slash = r.find('/', start);
                if (slash == std::string::npos) break;  // the last component is the file itself
                if (slash > start) {
                    if (!path.empty()) path += '/';
                    path.append(r, start, slash - start);
                    ancestors.insert(path);
                }
                start = slash + 1;
            }
        }
        std::erase_if(scan.directories, [&](const std::string& d) { return !ancestors.count(d); });
        std::erase_if(topLevel, [](const auto& item) { return item.second.fileCount == 0; });
    }

    for (const ScannedFile& file : scan.files) scan.totalBytes += file.size;
    for (auto& item : topLevel) scan.topLevel.push_back(std::move(item.second));
    std::stable_sort(scan.topLevel.begin(), scan.topLevel.end(),
                     [](const TopLevelEntry& a, const TopLevelEntry& b) { return Text::naturalLess(a.name, b.name); });
    scan.fingerprint = fingerprint(scan.files);
    return scan;
}

std::string SourceScanner::fingerprint(const std::vector<ScannedFile>& files) {
    XXHash64 hasher(0);
    std::string line;
    for (const ScannedFile& file : files) {
        long long seconds = 0;
        if (file.modificationDate)
            seconds = std::chrono::duration_cast<std::chrono::seconds>(file.modificationDate->time_since_epoch()).count();
        line.clear();
        line += file.relativePath;
        line += '\t';
        line += std::to_string(file.size);
        line += '\t';
        line += std::to_string(seconds);
        line += '\n';
        hasher.update(line.data(), line.size());
    }
    return XXHash64::toHex(hasher.digest());
}

}  // namespace quillane
