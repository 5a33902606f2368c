#include "Platform/MountSelection.h"

#include <algorithm>
#include <array>
#include <string>
#include <unordered_map>
#include <string_view>

namespace quillane::MountSelection {
namespace {

namespace fs = std::filesystem;

// At or below `folder`, compared by whole path components.
bool isWithin(const fs::path& path, const fs::path& folder) {
    const fs::path a = path.lexically_normal();
    const fs::path b = folder.lexically_normal();
    auto ai = a.begin();
    for (auto bi = b.begin(); bi != b.end(); ++bi, ++ai) {
        if (bi->empty()) continue;  // trailing separator of "/media/"
        if (ai == a.end() || *ai != *bi) return false;
    }
    return true;
}

constexpr std::array<std::string_view, 3> removableMediaPlaces = {"/media", "/run/media", "/mnt"};
constexpr std::array<std::string_view, 20> systemFolders = {
    "/bin", "/boot", "/dev", "/efi", "/etc", "/gnu", "/home", "/lib", "/lib32", "/lib64",
    "/libx32", "/nix", "/opt", "/proc", "/root", "/run", "/sbin", "/snap", "/srv", "/sys"};
constexpr std::array<std::string_view, 3> moreSystemFolders = {"/tmp", "/usr", "/var"};

bool isSystemFolder(const fs::path& mountPoint) {
    for (std::string_view folder : systemFolders)
        if (isWithin(mountPoint, fs::path(folder))) return true;
    for (std::string_view folder : moreSystemFolders)
        if (isWithin(mountPoint, fs::path(folder))) return true;
    return false;
}

bool isHidden(const fs::path& mountPoint) {
    const std::string name = mountPoint.lexically_normal().filename().string();
    return !name.empty() && name.front() == '.';
}

}  // namespace

bool isLookedAt(const fs::path& mountPoint, const Places& places) {
    const fs::path point = mountPoint.lexically_normal();
    if (point == point.root_path()) return false;  // "/" is the system itself
    if (isHidden(point)) return false;
    if (!places.folders.empty())
        return std::any_of(places.folders.begin(), places.folders.end(),
                           [&](const fs::path& folder) { return isWithin(point, folder); });
    for (std::string_view place : removableMediaPlaces)
        if (isWithin(point, fs::path(place))) return true;
    return !isSystemFolder(point);
}

std::vector<SelectedMount> volumes(const std::vector<MountEntry>& entries, const Places& places,
                                   const BlockDeviceResolver& resolve) {
    // The root file system's device never counts, wherever it is bound.
    std::optional<BlockDeviceNumber> rootDevice;
    for (const MountEntry& entry : entries)
        if (entry.mountPoint.lexically_normal() == "/") rootDevice = resolve(entry);

    // A later mount at the same folder hides the earlier ones.
    std::vector<fs::path> points;
    points.reserve(entries.size());
    std::unordered_map<std::string, std::size_t> lastAt;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        points.push_back(entries[i].mountPoint.lexically_normal());
        lastAt[points.back().string()] = i;
    }

    std::vector<SelectedMount> chosen;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const MountEntry& entry = entries[i];
        const fs::path& point = points[i];
        if (lastAt[point.string()] != i || !isLookedAt(point, places)) continue;
        const std::optional<BlockDeviceNumber> device = resolve(entry);
        if (!device || (rootDevice && *device == *rootDevice)) continue;

        auto same = std::find_if(chosen.begin(), chosen.end(), [&](const SelectedMount& m) { return m.device == *device; });
        if (same == chosen.end()) {
            chosen.push_back({entry, *device});
        } else if (same->entry.root != "/" && entry.root == "/") {
            same->entry = entry;  // the whole file system rather than a bind of one of its folders
        }
    }
    return chosen;
}

}  // namespace quillane::MountSelection
