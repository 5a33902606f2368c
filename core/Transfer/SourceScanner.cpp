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
#include "Support/Markup.h"
#include "Support/Text.h"

namespace quillane {

namespace fs = std::filesystem;
using Clock = std::chrono::system_clock;

SourceScanError::SourceScanError(Kind kind, fs::path path, std::string name, Markup::Loss loss)
    : kind_(kind), path_(std::move(path)), name_(std::move(name)), loss_(loss) {
    what_ = errorDescription();
}

SourceScanError SourceScanError::unreadable(fs::path path) { return SourceScanError(Kind::unreadable, std::move(path)); }
SourceScanError SourceScanError::cancelled() { return SourceScanError(Kind::cancelled, {}); }
SourceScanError SourceScanError::unlistableName(fs::path path, std::string name, Markup::Loss loss) {
    return SourceScanError(Kind::unlistableName, std::move(path), std::move(name), loss);
}

std::string SourceScanError::errorDescription() const {
    switch (kind_) {
        case Kind::cancelled: return L("Scan geannuleerd", "Scan cancelled");
        case Kind::unreadable: return L("Kan de bron niet lezen: ", "Can't read the source: ") + path_.string();
        case Kind::unlistableName: break;
    }
    const std::string name = Text::visible(name_);
    if (loss_ == Markup::Loss::invalidUtf8)
        return L("Kan de bron niet kopiëren: de naam " + name + " is geen geldige UTF-8, dus kan geen manifest hem vermelden zoals hij is",
                 "Can't copy the source: the name " + name + " is not valid UTF-8, so no manifest can list it as it is");
    return L("Kan de bron niet kopiëren: de naam " + name + " bevat een stuurteken, dus kan geen manifest hem vermelden zoals hij is",
             "Can't copy the source: the name " + name + " holds a control character, so no manifest can list it as it is");
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

// Every folder that holds a file, at any depth.
std::set<std::string> foldersHoldingFiles(const std::vector<ScannedFile>& files) {
    std::set<std::string> ancestors;
    for (const ScannedFile& file : files) {
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
    return ancestors;
}

// One walk of a card, depth first, each folder before its contents. A folder is listed whole
// and closed before its sub-folders are entered, so the depth of a card costs no descriptors.
class Walk {
public:
    Walk(fs::path root, CopyMode mode, const std::set<std::string>& videoExtensions, bool includeAudio,
         const std::function<bool()>& isCancelled)
        : videoExtensions_(videoExtensions), includeAudio_(includeAudio), isCancelled_(isCancelled) {
        scan_.root = std::move(root);
        scan_.mode = mode;
    }

    SourceScan run() {
        const fs::path& root = scan_.root;
        if (FileIO::current().access(root.c_str(), R_OK) != 0) throw SourceScanError::unreadable(root);
        enter({}, root);
        while (!stack_.empty()) {
            Level& level = stack_.back();
            if (level.next >= level.names.size()) {
                stack_.pop_back();
                continue;
            }
            const std::string name = level.names[level.next++];
            const bool inRoot = level.relative.empty();
            visit(name, inRoot ? name : level.relative + "/" + name, inRoot);
        }
        if (scan_.mode == CopyMode::videoOnly) keepOnlyFoldersWithFiles();
        return finish();
    }

private:
    struct Level {
        std::string relative;  // "" for the root
        std::vector<std::string> names;
        std::size_t next = 0;
    };

    // Lists a folder and makes it the next one walked.
    void enter(std::string relative, const fs::path& full) {
        Level level{std::move(relative), {}, 0};
        if (!listFolder(full, level.names)) throw SourceScanError::unreadable(full);
        stack_.push_back(std::move(level));
    }

    void visit(const std::string& name, const std::string& relative, bool inRoot) {
        if (isCancelled_ && isCancelled_()) throw SourceScanError::cancelled();
        if (MediaTypes::isJunk(name, inRoot)) return;  // a junk folder is never entered
        const fs::path full = scan_.root / relative;
        struct statx st {};
        if (!attributes(full, st)) return;
        if (S_ISDIR(st.stx_mode)) {
            // Video only creates a folder for the files it holds, which bring its name along.
            if (scan_.mode == CopyMode::entireCard) requireListable(relative);
            addFolder(relative, full);
        } else if (S_ISREG(st.stx_mode) && includes(name)) {
            requireListable(relative);
            addFile(relative, st);
        }
    }

    // The manifests list every copied path; one they would not give back as it is on disk would
    // make a verified copy fail its own manifest. Names the first such part of the path.
    void requireListable(const std::string& relative) const {
        if (Markup::loss(relative) == Markup::Loss::none) return;  // "/" itself is never lost
        std::size_t end = 0;
        for (;;) {
            end = relative.find('/', end);
            const std::string prefix = relative.substr(0, end);
            const std::string_view part = std::string_view(prefix).substr(prefix.rfind('/') + 1);
            if (const Markup::Loss loss = Markup::loss(part); loss != Markup::Loss::none)
                throw SourceScanError::unlistableName(scan_.root / prefix, prefix, loss);
            if (end == std::string::npos) return;
            ++end;
        }
    }

    // False for an entry that vanished since its folder was listed: it is passed over. One the
    // card can't describe (a read error, no permission) fails the scan, or the card would be
    // copied incomplete and reported as safe.
    static bool attributes(const fs::path& full, struct statx& st) {
        if (FileIO::current().lstatx(full.c_str(), STATX_TYPE | STATX_SIZE | STATX_MTIME | STATX_BTIME, &st) != 0) {
            if (errno != ENOENT && errno != ENOTDIR) throw SourceScanError::unreadable(full);
            return false;
        }
        return (st.stx_mask & STATX_TYPE) != 0;
    }

    void addFolder(const std::string& relative, const fs::path& full) {
        scan_.directories.push_back(relative);
        if (relative.find('/') == std::string::npos && !topLevel_.count(relative))
            topLevel_[relative] = TopLevelEntry{relative, true, 0, 0};
        enter(relative, full);
    }

    // Whether the mode copies a file of this name; counts video files and the files left out.
    bool includes(const std::string& name) {
        const std::string extension = Text::lowercased(Text::extension(name));
        const bool isVideo = contains(videoExtensions_, extension);
        if (isVideo) {
            ++scan_.videoFileCount;
            return true;
        }
        if (scan_.mode != CopyMode::videoOnly || (includeAudio_ && contains(MediaTypes::audioExtensions(), extension)))
            return true;
        ++scan_.skippedFileCount;
        return false;
    }

    void addFile(const std::string& relative, const struct statx& st) {
        ScannedFile file;
        file.relativePath = relative;
        file.size = (st.stx_mask & STATX_SIZE) ? static_cast<std::int64_t>(st.stx_size) : 0;
        if (st.stx_mask & STATX_MTIME) file.modificationDate = toTimePoint(st.stx_mtime);
        if (st.stx_mask & STATX_BTIME) file.creationDate = toTimePoint(st.stx_btime);

        const std::string firstLevel = firstLevelName(relative);
        auto entry = topLevel_.find(firstLevel);
        if (entry == topLevel_.end())
            entry = topLevel_
                        .emplace(firstLevel, TopLevelEntry{firstLevel, relative.find('/') != std::string::npos, 0, 0})
                        .first;
        entry->second.bytes += file.size;
        entry->second.fileCount += 1;
        scan_.files.push_back(std::move(file));
    }

    // Video only: a folder is created, and a first-level group shown, only when it holds a file.
    void keepOnlyFoldersWithFiles() {
        const std::set<std::string> holding = foldersHoldingFiles(scan_.files);
        std::erase_if(scan_.directories, [&](const std::string& d) { return !holding.count(d); });
        std::erase_if(topLevel_, [](const auto& item) { return item.second.fileCount == 0; });
    }

    // Orders files, folders and groups, and adds the totals and the fingerprint.
    SourceScan finish() {
        std::stable_sort(scan_.files.begin(), scan_.files.end(), [](const ScannedFile& a, const ScannedFile& b) {
            return Text::naturalLess(a.relativePath, b.relativePath);
        });
        std::sort(scan_.directories.begin(), scan_.directories.end());
        for (const ScannedFile& file : scan_.files) scan_.totalBytes += file.size;
        for (auto& item : topLevel_) scan_.topLevel.push_back(std::move(item.second));
        std::stable_sort(scan_.topLevel.begin(), scan_.topLevel.end(),
                         [](const TopLevelEntry& a, const TopLevelEntry& b) { return Text::naturalLess(a.name, b.name); });
        scan_.fingerprint = SourceScanner::fingerprint(scan_.files);
        return std::move(scan_);
    }

    const std::set<std::string>& videoExtensions_;
    const bool includeAudio_;
    const std::function<bool()>& isCancelled_;
    SourceScan scan_;
    std::map<std::string, TopLevelEntry> topLevel_;
    std::vector<Level> stack_;
};

}  // namespace

SourceScan SourceScanner::scan(const fs::path& root, CopyMode mode, const std::set<std::string>& videoExtensions,
                               bool includeAudio, const std::function<bool()>& isCancelled) {
    return Walk(standardised(root), mode, videoExtensions, includeAudio, isCancelled).run();
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
