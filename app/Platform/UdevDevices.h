#pragma once
#include <optional>
#include <string>

#include "Platform/MountSelection.h"

struct udev;
struct udev_monitor;

// libudev where udevd runs: the properties udev keeps for a block device (filling gaps in
// what sysfs and blkid give), and a monitor whose events mean "a block device changed"
// (a label written, a medium inserted). Without udevd both give nothing.
namespace quillane {

struct UdevProperties {
    std::optional<std::string> vendor;
    std::optional<std::string> model;
    std::optional<std::string> protocol;  // from ID_BUS: "USB", "SATA", "FireWire", ...
    std::optional<std::string> fsUuid;
    std::optional<std::string> fsLabel;
    std::optional<std::string> fsType;
};

namespace UdevDevices {

// True when udevd runs (its control socket exists).
bool isRunning();

// The properties of a block device from udev's database; nothing without udevd.
std::optional<UdevProperties> properties(BlockDeviceNumber device);

}  // namespace UdevDevices

// Block-device events from udevd, to be polled beside the mount table.
class UdevBlockEvents {
public:
    UdevBlockEvents();  // inactive (fd() < 0) when udevd does not run
    ~UdevBlockEvents();
    UdevBlockEvents(const UdevBlockEvents&) = delete;
    UdevBlockEvents& operator=(const UdevBlockEvents&) = delete;

    int fd() const;
    // Reads every pending event; true when one of them was a block device's change, add or remove.
    bool drain();

private:
    ::udev* udev_ = nullptr;
    ::udev_monitor* monitor_ = nullptr;
};

}  // namespace quillane
