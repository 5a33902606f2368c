#include "Platform/VolumeDescriber.h"

#include <sys/statvfs.h>

#include <algorithm>
#include <limits>
#include <set>

#include "Platform/BlockDeviceFacts.h"
#include "Platform/FileSystemIdentity.h"
#include "Platform/MountInfo.h"
#include "Platform/UdevDevices.h"
#include "Support/Text.h"

namespace quillane {
namespace {

namespace fs = std::filesystem;

std::int64_t bytes(unsigned long long blocks, unsigned long long blockSize) {
    if (blockSize != 0 && blocks > static_cast<unsigned long long>(std::numeric_limits<std::int64_t>::max()) / blockSize)
        return std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(blocks * blockSize);
}

// A text from a card or a device as the user reads it: valid UTF-8, control characters (a line
// break or an escape sequence in a hostile label) shown as blanks, trimmed; absent when empty.
std::optional<std::string> shown(const std::optional<std::string>& raw) {
    if (!raw) return std::nullopt;
    std::u32string scalars = Text::decode(*raw);
    for (char32_t& c : scalars)
        if (c < 0x20 || (c >= 0x7F && c < 0xA0)) c = U' ';
    return Text::trimmedOrNone(Text::encode(scalars));
}

// The type the mount table shows, unless it only says "some FUSE file system".
std::optional<std::string> mountTableType(const std::string& fsType) {
    if (fsType.empty() || fsType == "fuseblk" || fsType == "fuse" || fsType.rfind("fuse.", 0) == 0) return std::nullopt;
    return fsType;
}

template <typename T>
void fill(std::optional<T>& target, const std::optional<T>& fallback) {
    if (!target && fallback) target = fallback;
}

}  // namespace

namespace VolumeDescriber {

std::optional<DriveInfo> describe(const SelectedMount& mount, const VolumeSources& sources) {
    const MountEntry& entry = mount.entry;
    struct statvfs stats {};
    if (::statvfs(entry.mountPoint.c_str(), &stats) != 0) return std::nullopt;
    const std::optional<BlockDeviceFacts> device = BlockDevices::facts(mount.device, sources.sysfsRoot);
    if (!device) return std::nullopt;

    std::optional<FileSystemIdentity> identity = FileSystemIdentities::probe(sources.devRoot / device->kernelName);
    const std::optional<UdevProperties> udev = UdevDevices::properties(mount.device);
    if (!identity) {
        // No permission to read the device: what udev or the /dev/disk links know.
        identity = FileSystemIdentities::fromDiskLinks(sources.devRoot, device->kernelName);
        if (udev) {
            fill(identity->uuid, udev->fsUuid);
            fill(identity->label, udev->fsLabel);
            fill(identity->type, udev->fsType);
        }
    }

    DriveInfo info;
    info.url = entry.mountPoint;
    info.uuid = identity->uuid;
    info.id = info.uuid ? *info.uuid : entry.mountPoint.string();
    info.totalCapacity = bytes(stats.f_blocks, stats.f_frsize);
    info.availableCapacity = bytes(stats.f_bavail, stats.f_frsize);
    const std::optional<std::string> type = identity->type ? identity->type : mountTableType(entry.fsType);
    info.fileSystem = type ? FileSystemIdentities::platformTypeName(*type) : std::string();
    // An unlabelled volume is named as FAT tools name it, or "Untitled"; never after its mount
    // folder, which is often only the volume's serial.
    const std::optional<std::string> label = shown(identity->label);
    info.name = label ? *label : info.fileSystem == "msdos" ? "NO NAME" : "Untitled";
    info.isReadOnly = entry.isReadOnly() || (stats.f_flag & ST_RDONLY) != 0;
    info.isInternal = device->isInternal;
    info.isRemovable = device->isRemovable;
    info.isEjectable = device->isEjectable;
    info.isRootVolume = false;  // the root file system's device is never selected
    info.deviceVendor = device->vendor;
    info.deviceModel = device->model;
    info.deviceProtocol = device->protocol;
    info.mediaName = device->mediaName;
    if (udev) {
        if (udev->vendor && Text::asciiUppercased(*udev->vendor) != "ATA") fill(info.deviceVendor, udev->vendor);
        fill(info.deviceModel, udev->model);
        fill(info.deviceProtocol, udev->protocol);
    }
    info.deviceVendor = shown(info.deviceVendor);
    info.deviceModel = shown(info.deviceModel);
    info.mediaName = shown(info.mediaName);
    return info;
}

std::vector<DriveInfo> describeAll(const VolumeSources& sources) {
    const std::optional<std::string> table = MountInfo::readTable(sources.mountInfo);
    if (!table) return {};
    const std::vector<MountEntry> entries = MountInfo::parse(*table);
    const auto resolve = [&](const MountEntry& entry) { return BlockDevices::resolve(entry, sources.sysfsRoot); };
    std::vector<DriveInfo> volumes;
    for (const SelectedMount& mount : MountSelection::volumes(entries, sources.places, resolve))
        if (std::optional<DriveInfo> info = describe(mount, sources)) volumes.push_back(std::move(*info));
    return volumes;
}

}  // namespace VolumeDescriber

namespace VolumeList {

std::vector<DriveInfo> arrange(std::vector<DriveInfo> volumes, const Dressing& dressing) {
    if (dressing) {
        std::vector<DriveInfo> dressed;
        dressed.reserve(volumes.size());
        for (const DriveInfo& volume : volumes)
            if (std::optional<DriveInfo> shown = dressing(volume)) dressed.push_back(std::move(*shown));
        volumes = std::move(dressed);
    }
    std::stable_sort(volumes.begin(), volumes.end(),
                     [](const DriveInfo& a, const DriveInfo& b) { return Text::naturalLess(a.name, b.name); });

    std::set<std::string> taken;
    for (DriveInfo& volume : volumes) {
        if (taken.insert(volume.id).second) continue;
        std::string id = volume.url.string();
        // Two dressed volumes could even share a path; a counter keeps the ids apart then.
        for (int copy = 2; !taken.insert(id).second; ++copy) id = volume.url.string() + "#" + std::to_string(copy);
        volume.id = id;
    }
    return volumes;
}

}  // namespace VolumeList
}  // namespace quillane
