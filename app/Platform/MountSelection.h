#pragma once
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "Platform/MountInfo.h"

// Which mounts are volumes that could be a card or an SSD: file systems on a block device
// (a FUSE block device and loop devices included), mounted in the removable-media places or
// elsewhere outside the system's own folders; never pseudo, network or device-less FUSE mounts,
// never the root file system's device, and each device once.
namespace quillane {

struct BlockDeviceNumber {
    unsigned major = 0;
    unsigned minor = 0;
    bool operator==(const BlockDeviceNumber&) const = default;
};

struct SelectedMount {
    MountEntry entry;
    BlockDeviceNumber device;  // the block device behind the file system
};

namespace MountSelection {

// The block device behind a mount, or nothing for pseudo, network and device-less mounts.
using BlockDeviceResolver = std::function<std::optional<BlockDeviceNumber>(const MountEntry&)>;

// Where volumes are looked for. Empty: the usual places (/media, /run/media, /mnt) and any
// folder outside the system's own (/usr, /var, /home, /run, /tmp, /snap, ...). Otherwise only
// mounts at or below one of the given folders.
struct Places {
    std::vector<std::filesystem::path> folders;
};

// True when a volume mounted at this folder is looked at.
bool isLookedAt(const std::filesystem::path& mountPoint, const Places& places);

// The mounts that are volumes, in mountinfo order. A device mounted twice (or bound elsewhere)
// keeps its first whole-file-system mount; a mount hidden under a later mount at the same
// folder is dropped; a folder whose name starts with a dot is hidden.
std::vector<SelectedMount> volumes(const std::vector<MountEntry>& entries, const Places& places,
                                   const BlockDeviceResolver& resolve);

}  // namespace MountSelection
}  // namespace quillane
