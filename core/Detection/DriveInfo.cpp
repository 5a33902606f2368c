#include "Detection/DriveInfo.h"

#include <functional>
#include <nlohmann/json.hpp>

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

void to_json(nlohmann::json& j, const DriveInfo& d) {
    j = nlohmann::json::object();
    j["id"] = d.id;
    j["url"] = d.url.string();
    j["name"] = d.name;
    if (d.uuid) j["uuid"] = *d.uuid;
    j["totalCapacity"] = d.totalCapacity;
    j["availableCapacity"] = d.availableCapacity;
    j["fileSystem"] = d.fileSystem;
    j["fileSystemDescription"] = d.fileSystemDescription;
    j["isReadOnly"] = d.isReadOnly;
    j["isInternal"] = d.isInternal;
    j["isRemovable"] = d.isRemovable;
    j["isEjectable"] = d.isEjectable;
    j["isRootVolume"] = d.isRootVolume;
    if (d.deviceVendor) j["deviceVendor"] = *d.deviceVendor;
    if (d.deviceModel) j["deviceModel"] = *d.deviceModel;
    if (d.deviceProtocol) j["deviceProtocol"] = *d.deviceProtocol;
    if (d.mediaName) j["mediaName"] = *d.mediaName;
}

void from_json(const nlohmann::json& j, DriveInfo& d) {
    auto optional = [&j](const char* key) -> std::optional<std::string> {
        auto it = j.find(key);
        if (it == j.end() || it->is_null()) return std::nullopt;
        return it->get<std::string>();
    };
    DriveInfo out;
    out.id = j.at("id").get<std::string>();
    out.url = j.at("url").get<std::string>();
    out.name = j.at("name").get<std::string>();
    out.uuid = optional("uuid");
    out.totalCapacity = j.at("totalCapacity").get<std::int64_t>();
    out.availableCapacity = j.at("availableCapacity").get<std::int64_t>();
    out.fileSystem = j.at("fileSystem").get<std::string>();
    out.fileSystemDescription = j.at("fileSystemDescription").get<std::string>();
    out.isReadOnly = j.at("isReadOnly").get<bool>();
    out.isInternal = j.at("isInternal").get<bool>();
    out.isRemovable = j.at("isRemovable").get<bool>();
    out.isEjectable = j.at("isEjectable").get<bool>();
    out.isRootVolume = j.at("isRootVolume").get<bool>();
    out.deviceVendor = optional("deviceVendor");
    out.deviceModel = optional("deviceModel");
    out.deviceProtocol = optional("deviceProtocol");
    out.mediaName = optional("mediaName");
    d = std::move(out);
}

}  // namespace quillane
