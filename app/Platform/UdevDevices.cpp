#include "Platform/UdevDevices.h"

#include <libudev.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstring>

#include "Platform/FileSystemIdentity.h"
#include "Support/Text.h"

namespace quillane {
namespace {

std::optional<std::string> property(udev_device* device, const char* name) {
    const char* value = udev_device_get_property_value(device, name);
    if (value == nullptr) return std::nullopt;
    return Text::trimmedOrNone(FileSystemIdentities::decodeHexEscapes(value));
}

std::optional<std::string> protocolOfBus(const std::optional<std::string>& bus) {
    if (!bus) return std::nullopt;
    if (*bus == "usb") return "USB";
    if (*bus == "ata") return "SATA";
    if (*bus == "ieee1394") return "FireWire";
    if (*bus == "nvme") return "PCI-Express";
    if (*bus == "scsi") return "SCSI";
    return std::nullopt;
}

}  // namespace

namespace UdevDevices {

bool isRunning() { return ::access("/run/udev/control", F_OK) == 0; }

std::optional<UdevProperties> properties(BlockDeviceNumber number) {
    if (!isRunning()) return std::nullopt;
    udev* context = udev_new();
    if (context == nullptr) return std::nullopt;
    std::optional<UdevProperties> result;
    if (udev_device* device = udev_device_new_from_devnum(context, 'b', makedev(number.major, number.minor))) {
        UdevProperties p;
        p.vendor = property(device, "ID_VENDOR_ENC");
        if (!p.vendor) p.vendor = property(device, "ID_VENDOR");
        p.model = property(device, "ID_MODEL_ENC");
        if (!p.model) p.model = property(device, "ID_MODEL");
        p.protocol = protocolOfBus(property(device, "ID_BUS"));
        p.fsUuid = property(device, "ID_FS_UUID");
        p.fsLabel = property(device, "ID_FS_LABEL_ENC");
        if (!p.fsLabel) p.fsLabel = property(device, "ID_FS_LABEL");
        p.fsType = property(device, "ID_FS_TYPE");
        result = p;
        udev_device_unref(device);
    }
    udev_unref(context);
    return result;
}

}  // namespace UdevDevices

UdevBlockEvents::UdevBlockEvents() {
    if (!UdevDevices::isRunning()) return;
    udev_ = udev_new();
    if (udev_ == nullptr) return;
    monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    if (monitor_ == nullptr || udev_monitor_filter_add_match_subsystem_devtype(monitor_, "block", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor_) < 0) {
        if (monitor_ != nullptr) udev_monitor_unref(monitor_);
        monitor_ = nullptr;
    }
}

UdevBlockEvents::~UdevBlockEvents() {
    if (monitor_ != nullptr) udev_monitor_unref(monitor_);
    if (udev_ != nullptr) udev_unref(udev_);
}

int UdevBlockEvents::fd() const { return monitor_ != nullptr ? udev_monitor_get_fd(monitor_) : -1; }

bool UdevBlockEvents::drain() {
    if (monitor_ == nullptr) return false;
    bool relevant = false;
    // The monitor's socket is non-blocking: receive returns nothing once the queue is empty.
    while (udev_device* device = udev_monitor_receive_device(monitor_)) {
        const char* action = udev_device_get_action(device);
        if (action != nullptr &&
            (std::strcmp(action, "change") == 0 || std::strcmp(action, "add") == 0 || std::strcmp(action, "remove") == 0))
            relevant = true;
        udev_device_unref(device);
    }
    return relevant;
}

}  // namespace quillane
