#pragma once
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "Detection/DriveInfo.h"
#include "Platform/MountSelection.h"

// Turns the mount table into volume descriptions: which mounts are volumes, and the facts of
// each from statvfs, libblkid, sysfs and (where udevd runs) libudev. Qt-free; may block on a
// slow device, so it runs on the monitor's own thread.
namespace quillane {

struct VolumeSources {
    std::filesystem::path mountInfo = "/proc/self/mountinfo";
    std::filesystem::path sysfsRoot = "/sys";
    std::filesystem::path devRoot = "/dev";
    MountSelection::Places places;
};

namespace VolumeDescriber {

// One selected mount → its description, or nothing when its file system cannot be asked
// (statvfs fails, as on a FUSE mount whose daemon died) or sysfs does not know its device.
std::optional<DriveInfo> describe(const SelectedMount& mount, const VolumeSources& sources);

// Every volume of the mount table, described, in mount-table order (not yet sorted or dressed).
std::vector<DriveInfo> describeAll(const VolumeSources& sources);

}  // namespace VolumeDescriber

namespace VolumeList {

using Dressing = std::function<std::optional<DriveInfo>(const DriveInfo&)>;

// Passes each description through the dressing (dropping those it hides), sorts by name in the
// natural order (stable), then makes ids unique: where two volumes share an id (a cloned card,
// two copies of one image), the first in order keeps it and each later one takes its mount path.
std::vector<DriveInfo> arrange(std::vector<DriveInfo> volumes, const Dressing& dressing);

}  // namespace VolumeList
}  // namespace quillane
