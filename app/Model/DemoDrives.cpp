#include "Model/DemoDrives.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>

#include "Support/Clock.h"
#include "Support/Text.h"
#include "Transfer/SourceScanner.h"

namespace quillane {

namespace {

using SystemClock = std::chrono::system_clock;

DriveInfo volume(const char* id, const char* name, std::int64_t total, std::int64_t available, const char* fileSystem,
                 bool removable, const char* vendor, const char* model, const char* protocol) {
    DriveInfo d;
    d.id = id;
    d.url = DemoDrives::root() / name;
    d.name = name;
    d.totalCapacity = total;
    d.availableCapacity = available;
    d.fileSystem = fileSystem;
    d.isRemovable = removable;
    d.isEjectable = true;
    d.deviceVendor = vendor;
    d.deviceModel = model;
    d.deviceProtocol = protocol;
    return d;
}

template <typename... Args>
std::string format(const char* pattern, Args... args) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, args...);
    return buffer;
}

// 09:00 today: the start of the local day plus nine hours.
SystemClock::time_point baseTime() {
    const std::time_t now = SystemClock::to_time_t(Clock::current().now());
    std::tm local{};
    ::localtime_r(&now, &local);
    local.tm_hour = 0;
    local.tm_min = 0;
    local.tm_sec = 0;
    local.tm_isdst = -1;
    return SystemClock::from_time_t(std::mktime(&local)) + std::chrono::seconds(32'400);
}

ScannedFile file(std::string path, std::int64_t size, SystemClock::time_point time) {
    return ScannedFile{std::move(path), size, time, std::nullopt};
}

std::vector<ScannedFile> generate(std::string_view id, CopyMode mode, SystemClock::time_point base) {
    using std::chrono::seconds;
    std::vector<ScannedFile> files;
    const bool entireCard = mode == CopyMode::entireCard;
    if (id == "demo-fx6") {
        for (std::int64_t i = 1; i <= 46; ++i) {
            const auto time = base + seconds(180 * i);
            files.push_back(file(format("PRIVATE/M4ROOT/CLIP/C%04d.MP4", int(i)),
                                 1'900'000'000 + (37'000'000 * i) % 1'100'000'000, time));
            if (entireCard) {
                files.push_back(file(format("PRIVATE/M4ROOT/CLIP/C%04dM01.XML", int(i)), 8'412, time));
                files.push_back(file(format("PRIVATE/M4ROOT/THMBNL/C%04dT01.JPG", int(i)), 41'200, time));
            }
        }
        if (entireCard) files.push_back(file("PRIVATE/M4ROOT/MEDIAPRO.XML", 24'800, base));
    } else if (id == "demo-zoom") {
        for (std::int64_t i = 1; i <= 36; ++i)
            files.push_back(file(format("F8n_TAKES/261009_%03d.WAV", int(i)), 140'000'000 + (9'000'000 * i) % 90'000'000,
                                 base + seconds(240 * i)));
    } else if (id == "demo-arri") {
        // The scan root is the card's reel folder, so the clips lie directly in it.
        for (std::int64_t i = 1; i <= 28; ++i)
            files.push_back(file(format("A002C%03d_261009_R1AB.mxf", int(i)),
                                 12'400'000'000 + (211'000'000 * i) % 2'600'000'000, base + seconds(300 * i)));
    }
    return files;
}

std::vector<std::string> folders(std::string_view id, CopyMode mode, const std::vector<ScannedFile>& files) {
    std::vector<std::string> all;
    if (id == "demo-fx6")
        all = {"PRIVATE", "PRIVATE/M4ROOT", "PRIVATE/M4ROOT/CLIP", "PRIVATE/M4ROOT/THMBNL", "PRIVATE/M4ROOT/SUB",
               "PRIVATE/M4ROOT/GENERAL"};
    else if (id == "demo-zoom")
        all = {"F8n_TAKES"};
    if (mode != CopyMode::videoOnly) return all;
    std::erase_if(all, [&files](const std::string& folder) {
        return std::none_of(files.begin(), files.end(),
                            [&folder](const ScannedFile& f) { return f.relativePath.starts_with(folder + "/"); });
    });
    return all;
}

std::vector<TopLevelEntry> groups(const std::vector<ScannedFile>& files) {
    std::map<std::string, TopLevelEntry> byName;  // code-point order
    for (const ScannedFile& f : files) {
        const std::string& path = f.relativePath;
        std::size_t start = path.find_first_not_of('/');
        std::string name;
        if (start != std::string::npos) name = path.substr(start, path.find('/', start) - start);
        auto [it, inserted] = byName.try_emplace(name);
        if (inserted) {
            it->second.name = name;
            it->second.isDirectory = path.find('/') != std::string::npos;
        }
        it->second.fileCount += 1;
        it->second.bytes += f.size;
    }
    std::vector<TopLevelEntry> out;
    for (auto& [name, entry] : byName) out.push_back(std::move(entry));
    return out;
}

}  // namespace

const std::filesystem::path& DemoDrives::root() {
    static const std::filesystem::path path("/media/.quillane-demo");
    return path;
}

std::vector<DriveInfo> DemoDrives::infos(const std::map<std::string, std::int64_t>& usedBytes,
                                         const std::set<std::string>& ejected) {
    std::vector<DriveInfo> all{
        volume("demo-fx6", "FX6_CARD", 160'000'000'000, 48'000'000'000, "exfat", true, "Sony",
               "CFexpress Type A Card Reader", "USB"),
        volume("demo-arri", "ARRI_CARD", 512'000'000'000, 132'000'000'000, "exfat", true, "ARRI",
               "Codex Compact Drive Reader", "Thunderbolt"),
        volume("demo-zoom", "ZOOM_F8", 64'000'000'000, 57'000'000'000, "exfat", true, "Zoom", "SDXC Card Reader", "USB"),
        volume("demo-ssd-1", "SHOOT_SSD", 4'000'000'000'000, 2'610'000'000'000, "apfs", false, "Samsung",
               "PSSD T7 Shield", "USB"),
        volume("demo-ssd-2", "BACKUP_SSD", 4'000'000'000'000, 3'140'000'000'000, "apfs", false, "LaCie",
               "Rugged SSD Pro", "Thunderbolt"),
    };
    std::vector<DriveInfo> out;
    for (DriveInfo& d : all) {
        if (ejected.count(d.id) != 0) continue;
        if (auto it = usedBytes.find(d.id); it != usedBytes.end()) {
            const std::int64_t used = std::max<std::int64_t>(it->second, 0);
            d.availableCapacity = used >= d.availableCapacity ? 0 : d.availableCapacity - used;
        }
        out.push_back(std::move(d));
    }
    return out;
}

ContentProbe DemoDrives::probe(const DriveInfo& info) {
    ContentProbe p;
    if (info.id == "demo-fx6") {
        p.rootNames = {"PRIVATE"};
        p.directoryPaths = {"PRIVATE", "PRIVATE/M4ROOT", "PRIVATE/M4ROOT/CLIP", "PRIVATE/M4ROOT/THMBNL"};
        p.extensionCounts = {{"mp4", 46}, {"xml", 47}, {"jpg", 46}};
        p.shallowVideoCount = 46;
        for (int i = 1; i <= 24; ++i) p.sampleVideoNames.push_back(format("C%04d.MP4", i));
    } else if (info.id == "demo-arri") {
        p.rootNames = {"A002R1AB"};
        p.directoryPaths = {"A002R1AB"};
        p.extensionCounts = {{"mxf", 28}};
        p.shallowVideoCount = 28;
        for (int i = 1; i <= 24; ++i) p.sampleVideoNames.push_back(format("A002C%03d_261009_R1AB.mxf", i));
    } else if (info.id == "demo-zoom") {
        p.rootNames = {"F8n_TAKES"};
        p.directoryPaths = {"F8N_TAKES"};
        p.extensionCounts = {{"wav", 36}};
        p.audioFileCount = 36;
    }
    return p;
}

SourceScan DemoDrives::scan(const std::filesystem::path& root, std::string_view driveID, CopyMode mode) {
    SourceScan s;
    s.root = root;
    s.mode = mode;
    s.files = generate(driveID, mode, baseTime());
    s.directories = folders(driveID, mode, s.files);
    s.topLevel = groups(s.files);
    for (const ScannedFile& f : s.files) {
        s.totalBytes += f.size;
        const std::string extension = Text::asciiLowercased(Text::extension(f.relativePath));
        if (extension == "mp4" || extension == "mxf" || extension == "wav") ++s.videoFileCount;
    }
    s.fingerprint = SourceScanner::fingerprint(s.files);
    s.skippedFileCount = 0;
    return s;
}

}  // namespace quillane
