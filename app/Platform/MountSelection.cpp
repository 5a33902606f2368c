#include "Platform/MountSelection.h"

#include <algorithm>
#include <array>
#include <string>
#include <unordered_map>
#include <string_view>

namespace quillane::MountSelection {
namespace {

namespace fs = std::filesystem;

// The path in lexical normal form without a trailing separator ("/media/a/", "/media//a" →
// "/media/a"), as text for cheap prefix comparisons.
std::string normal(const fs::path& path) {
    std::string text = path.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    return text;
}

// At or below `folder` (both normal), compared by whole path components.
bool isWithin(std::string_view path, std::string_view folder) {
    if (folder == "/") return true;
    return path.substr(0, folder.size()) == folder && (path.size() == folder.size() || path[folder.size()] == '/');
}

constexpr std::array<std::string_view, 3> removableMediaPlaces = {"/media", "/run/media", "/mnt"};
constexpr std::array<std::string_view, 23> systemFolders = {
    "/bin", "/boot", "/dev",  "/efi",  "/etc",  "/gnu", "/home", "/lib", "/lib32", "/lib64", "/libx32", "/nix",
    "/opt", "/proc", "/root", "/run",  "/sbin", "/snap", "/srv", "/sys", "/tmp",   "/usr",   "/var"};

// The given places as the mount table spells them: symbolic links resolved, normal form.
std::vector<std::string> placesAsMounted(const Places& places) {
    std::vector<std::string> out;
    for (const fs::path& folder : places.folders) {
        std::error_code error;
        const fs::path real = fs::weakly_canonical(folder, error);
        out.push_back(normal(error ? folder : real));
    }
    return out;
}

bool lookedAt(const std::string& point, const std::vector<std::string>& places) {
    if (point == "/" || point.empty()) return false;  // "/" is the system itself
    const std::size_t slash = point.rfind('/');
    if (slash != std::string::npos && slash + 1 < point.size() && point[slash + 1] == '.') return false;  // hidden
    if (!places.empty())
        return std::any_of(places.begin(), places.end(), [&](const std::string& folder) { return isWithin(point, folder); });
    for (std::string_view place : removableMediaPlaces)
        if (isWithin(point, place)) return true;
    for (std::string_view folder : systemFolders)
        if (isWithin(point, folder)) return false;
    return true;
}

}  // namespace

bool isLookedAt(const fs::path& mountPoint, const Places& places) {
    return lookedAt(normal(mountPoint), placesAsMounted(places));
}

std::vector<SelectedMount> volumes(const std::vector<MountEntry>& entries, const Places& places,
                                   const BlockDeviceResolver& resolve) {
    // The root file system's device never counts, wherever it is bound.
    // A later mount at the same folder hides the earlier ones.
    std::vector<std::string> points;
    points.reserve(entries.size());
    std::unordered_map<std::string, std::size_t> lastAt;
    std::optional<BlockDeviceNumber> rootDevice;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        points.push_back(normal(entries[i].mountPoint));
        lastAt[points.back()] = i;
        if (points.back() == "/") rootDevice = resolve(entries[i]);
    }

    const std::vector<std::string> folders = placesAsMounted(places);
    std::vector<SelectedMount> chosen;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const MountEntry& entry = entries[i];
        const std::string& point = points[i];
        if (lastAt[point] != i || !lookedAt(point, folders)) continue;
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
