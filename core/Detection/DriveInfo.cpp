#include "Detection/DriveInfo.h"

#include <functional>

#include "Support/Lang.h"
#include "Support/Text.h"

namespace quillane {

std::string DriveInfo::identity() const {
    if (uuid) return *uuid;
    return "name:" + Text::lowercased(name) + "|" + std::to_string(totalCapacity);
}

namespace {
// The connection as the crew reads it: the protocol names are proper names, except an image file
// attached as a disk, which is said in the interface language.
std::string protocolText(const std::string& protocol) {
    if (protocol == "Disk Image") return L("Schijfkopie", "Disk Image");
    return protocol;
}
}  // namespace

std::string DriveInfo::hardwareDescription() const {
    std::string device;
    for (const auto* part : {&deviceVendor, &deviceModel}) {
        if (!*part) continue;
        std::string trimmed = Text::trimHorizontalSpace(**part);
        if (trimmed.empty()) continue;
        if (!device.empty()) device += ' ';
        device += trimmed;
    }
    if (!deviceProtocol) return device;
    const std::string protocol = protocolText(*deviceProtocol);
    if (device.empty()) return protocol;
    return device + " \u00B7 " + protocol;
}

std::string DriveInfo::fileSystemLabel() const {
    if (fileSystem == "exfat") return "exFAT";
    if (fileSystem == "msdos") return "FAT32";
    if (fileSystem == "apfs") return "APFS";
    if (fileSystem == "hfs") return "Mac OS Extended";
    if (fileSystem == "ntfs") return "NTFS";
    if (!fileSystemDescription.empty()) return fileSystemDescription;
    return Text::uppercased(fileSystem);
}

bool DriveInfo::isDiskImage() const {
    if (deviceProtocol && Text::containsCaseInsensitive(*deviceProtocol, "disk image")) return true;
    return deviceModel && Text::containsCaseInsensitive(*deviceModel, "disk image");
}

std::int64_t DriveInfo::usedCapacity() const {
    // Subtracting in unsigned arithmetic keeps hostile values from overflowing.
    if (availableCapacity >= totalCapacity) return 0;
    const std::uint64_t used = static_cast<std::uint64_t>(totalCapacity) - static_cast<std::uint64_t>(availableCapacity);
    return used > static_cast<std::uint64_t>(INT64_MAX) ? INT64_MAX : static_cast<std::int64_t>(used);
}

std::size_t DriveInfoHash::operator()(const DriveInfo& d) const {
    std::size_t seed = 0;
    auto mix = [&seed](std::size_t value) { seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2); };
    auto text = [&mix](const std::string& s) { mix(std::hash<std::string>{}(s)); };
    auto optional = [&](const std::optional<std::string>& s) {
        mix(s.has_value());
        if (s) text(*s);
    };
    text(d.id);
    text(d.url.native());
    text(d.name);
    optional(d.uuid);
    mix(std::hash<std::int64_t>{}(d.totalCapacity));
    mix(std::hash<std::int64_t>{}(d.availableCapacity));
    text(d.fileSystem);
    text(d.fileSystemDescription);
    mix((d.isReadOnly ? 1u : 0u) | (d.isInternal ? 2u : 0u) | (d.isRemovable ? 4u : 0u) |
        (d.isEjectable ? 8u : 0u) | (d.isRootVolume ? 16u : 0u));
    optional(d.deviceVendor);
    optional(d.deviceModel);
    optional(d.deviceProtocol);
    optional(d.mediaName);
    return seed;
}

}  // namespace quillane
