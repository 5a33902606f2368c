#include "Platform/BlockDeviceFacts.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <array>
#include <system_error>

#include "Support/Text.h"

namespace quillane::BlockDevices {
namespace {

namespace fs = std::filesystem;

fs::path sysfsDevice(BlockDeviceNumber device, const fs::path& sysfsRoot) {
    return sysfsRoot / "dev" / "block" / (std::to_string(device.major) + ":" + std::to_string(device.minor));
}

// The value of KEY=value in a uevent file.
std::optional<std::string> ueventValue(const fs::path& file, std::string_view key) {
    const std::optional<std::string> text = readAttribute(file);
    if (!text) return std::nullopt;
    std::size_t start = 0;
    while (start < text->size()) {
        std::size_t end = text->find('\n', start);
        if (end == std::string::npos) end = text->size();
        const std::string_view line(text->data() + start, end - start);
        if (line.size() > key.size() && line.substr(0, key.size()) == key && line[key.size()] == '=')
            return std::string(line.substr(key.size() + 1));
        start = end + 1;
    }
    return std::nullopt;
}

bool contains(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

// How the disk is attached, read from where it sits in the device tree.
std::optional<std::string> protocolOf(const std::string& devicePath) {
    if (contains(devicePath, "/usb")) return "USB";  // card readers and SSDs on USB, whatever sits below
    if (contains(devicePath, "/firewire")) return "FireWire";
    if (contains(devicePath, "/nvme")) return "PCI-Express";
    if (contains(devicePath, "/mmc_host/") || contains(devicePath, "/mmc")) return "Secure Digital";
    if (contains(devicePath, "/ata")) return "SATA";
    if (contains(devicePath, "/virtio")) return "Virtual Interface";
    if (contains(devicePath, "/host") && contains(devicePath, "/target")) return "SCSI";
    return std::nullopt;
}

// A PCI device behind an external-facing port (Thunderbolt, USB4) says "removable" in its
// own removable attribute; so does a USB device in a hot-plug port.
bool behindExternalPort(const fs::path& disk, const fs::path& sysfsRoot) {
    const fs::path top = sysfsRoot / "devices";
    for (fs::path dir = disk.parent_path(); dir.has_relative_path() && dir != top && dir != dir.parent_path();
         dir = dir.parent_path()) {
        if (readAttribute(dir / "removable").value_or("") == "removable") return true;
    }
    return false;
}

}  // namespace

std::optional<std::string> readAttribute(const fs::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    std::array<char, 4096> buffer{};
    std::size_t filled = 0;
    while (filled < buffer.size()) {
        const ssize_t n = ::read(fd, buffer.data() + filled, buffer.size() - filled);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        filled += static_cast<std::size_t>(n);
    }
    ::close(fd);
    return Text::trimmedOrNone(std::string_view(buffer.data(), filled));
}

std::optional<BlockDeviceNumber> resolve(const MountEntry& entry, const fs::path& sysfsRoot) {
    const BlockDeviceNumber own{entry.major, entry.minor};
    std::error_code error;
    if (entry.major != 0 && fs::exists(sysfsDevice(own, sysfsRoot), error)) return own;
    if (entry.source.rfind("/dev/", 0) != 0) return std::nullopt;
    struct stat status {};
    if (::stat(entry.source.c_str(), &status) != 0 || !S_ISBLK(status.st_mode)) return std::nullopt;
    return BlockDeviceNumber{::major(status.st_rdev), ::minor(status.st_rdev)};
}

namespace {

// The first device (in name order) that a mapped or RAID device is built on: the partition
// that holds an encrypted volume or an LVM volume group. Nothing for an ordinary disk.
std::optional<fs::path> firstSlave(const fs::path& disk) {
    std::error_code error;
    std::optional<std::string> first;
    for (fs::directory_iterator it(disk / "slaves", error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!first || name < *first) first = name;
    }
    if (!first) return std::nullopt;
    const fs::path node = fs::canonical(disk / "slaves" / *first, error);
    if (error) return std::nullopt;
    return node;
}

std::optional<BlockDeviceFacts> factsOf(const fs::path& node, const fs::path& sysfsRoot, int hops) {
    std::error_code error;
    BlockDeviceFacts facts;
    facts.kernelName = ueventValue(node / "uevent", "DEVNAME").value_or(node.filename().string());
    const bool isPartition = fs::exists(node / "partition", error) ||
                             ueventValue(node / "uevent", "DEVTYPE").value_or("") == "partition";
    const fs::path disk = isPartition ? node.parent_path() : node;
    facts.diskName = disk.filename().string();

    // A mapped device (LUKS, LVM) or a RAID set is virtual: the hardware facts are those of the
    // disk it is built on, so an encrypted USB SSD is a USB drive and LVM on an internal NVMe
    // disk is internal. The file system stays on the mapped device itself.
    constexpr int mostHops = 8;
    if (hops < mostHops) {
        if (const std::optional<fs::path> below = firstSlave(disk)) {
            if (std::optional<BlockDeviceFacts> lower = factsOf(*below, sysfsRoot, hops + 1)) {
                lower->kernelName = facts.kernelName;
                lower->diskName = facts.diskName;
                return lower;
            }
        }
    }
    facts.isRemovable = readAttribute(disk / "removable").value_or("0") == "1";
    facts.isLoop = fs::exists(disk / "loop", error) || facts.diskName.rfind("loop", 0) == 0;

    if (facts.isLoop) {
        // An image file attached as a disk: not internal, ejectable like any attached image.
        facts.protocol = "Disk Image";
        facts.isEjectable = true;
        return facts;
    }

    const std::string path = disk.string();
    facts.protocol = protocolOf(path);
    facts.vendor = readAttribute(disk / "device" / "vendor");
    if (facts.vendor && Text::asciiUppercased(*facts.vendor) == "ATA") facts.vendor.reset();  // the bus, not a maker
    facts.model = readAttribute(disk / "device" / "model");
    if (facts.protocol == "Secure Digital") {
        if (readAttribute(disk / "device" / "type").value_or("") == "MMC") {
            facts.protocol.reset();  // soldered eMMC: the machine's own storage, not a card slot
        } else {
            facts.isRemovable = true;  // the slot is built in, the card comes out
            facts.mediaName = readAttribute(disk / "device" / "name");  // the card's product name, "SD64G"
        }
    }
    if (facts.protocol == "PCI-Express" && behindExternalPort(disk, fs::canonical(sysfsRoot, error)))
        facts.protocol = "Thunderbolt";
    const std::string bus = facts.protocol.value_or("");
    facts.isInternal = bus == "SATA" || bus == "PCI-Express" || bus == "Secure Digital" || bus == "Virtual Interface" ||
                       (bus.empty() && !facts.isRemovable && path.find("/mmc") != std::string::npos);
    facts.isEjectable = facts.isRemovable || !facts.isInternal;
    return facts;
}

}  // namespace

std::optional<BlockDeviceFacts> facts(BlockDeviceNumber device, const fs::path& sysfsRoot) {
    std::error_code error;
    const fs::path node = fs::canonical(sysfsDevice(device, sysfsRoot), error);
    if (error) return std::nullopt;
    return factsOf(node, sysfsRoot, 0);
}

}  // namespace quillane::BlockDevices
