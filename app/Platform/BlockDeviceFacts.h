#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include "Platform/MountSelection.h"

// What the kernel's sysfs tells about the hardware behind a block device: its name, vendor,
// model, how it is connected, and whether it is internal or removable. Qt-free; the sysfs
// root is a parameter so that tests read recorded trees.
namespace quillane {

struct BlockDeviceFacts {
    std::string kernelName;  // "sdb1", "mmcblk0p1", "loop3"
    std::string diskName;    // the whole disk: "sdb", "mmcblk0", "loop3"
    // Trimmed, valid UTF-8; absent when empty.
    std::optional<std::string> vendor;
    std::optional<std::string> model;
    std::optional<std::string> protocol;  // "USB", "SATA", "PCI-Express", "Secure Digital", "Disk Image", ...
    std::optional<std::string> mediaName;
    bool isRemovable = false;
    bool isInternal = false;
    bool isEjectable = false;
    bool isLoop = false;
};

namespace BlockDevices {

// The device numbers of a mount: sysfs knows the mount's own numbers (fuseblk reports the
// real device too); failing that, a source under /dev that is a block device (btrfs reports
// an anonymous device number). Nothing for pseudo, network and device-less mounts.
std::optional<BlockDeviceNumber> resolve(const MountEntry& entry, const std::filesystem::path& sysfsRoot);

// The facts of one block device, or nothing when sysfs does not know it. A mapped or RAID
// device (LUKS, LVM, md) reports the hardware of the disk it is built on, under its own names.
std::optional<BlockDeviceFacts> facts(BlockDeviceNumber device, const std::filesystem::path& sysfsRoot);

// A sysfs attribute (or any small text file): at most 4 KiB, trimmed, invalid UTF-8 repaired;
// absent when unreadable or empty.
std::optional<std::string> readAttribute(const std::filesystem::path& file);

}  // namespace BlockDevices
}  // namespace quillane
