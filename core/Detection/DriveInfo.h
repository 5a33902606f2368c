#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace quillane {

// The facts of one mounted volume: what its file system says and what the hardware behind it
// reports. A snapshot: a changed volume arrives as a new value.
struct DriveInfo {
    // Identifier while the application runs: the UUID text when the file system has one, else
    // the mount point's path (demo drives use fixed ids). Key of every per-drive table.
    std::string id;
    std::filesystem::path url;  // the mount point
    std::string name;           // display name
    std::optional<std::string> uuid;
    std::int64_t totalCapacity = 0;      // 0 when unknown
    std::int64_t availableCapacity = 0;  // 0 when unknown
    // Lower-case type name: "exfat", "msdos" (FAT), "ntfs", "apfs", "hfs", "ext4", ...; may be empty.
    std::string fileSystem;
    std::string fileSystemDescription;  // the system's own description of the format; may be empty
    bool isReadOnly = false;
    bool isInternal = false;
    bool isRemovable = false;
    bool isEjectable = false;
    bool isRootVolume = false;
    // Device texts arrive trimmed; an empty one is absent.
    std::optional<std::string> deviceVendor;
    std::optional<std::string> deviceModel;
    std::optional<std::string> deviceProtocol;  // "USB", "Thunderbolt", "Secure Digital", "Disk Image", ...
    std::optional<std::string> mediaName;

    // Names the same physical volume across mounts and runs: the UUID when present (even an
    // empty one), else "name:" + lower-cased name + "|" + total capacity, e.g. "name:untitled|32000000000".
    std::string identity() const;
    // "LaCie Rugged SSD Pro · Thunderbolt"; empty when nothing is known.
    std::string hardwareDescription() const;
    // The file-system name as the user reads it: "exFAT", "FAT32", "APFS", ...
    std::string fileSystemLabel() const;
    // The protocol, failing that the model, mentions "disk image" in any case.
    bool isDiskImage() const;
    // Total minus available, never negative.
    std::int64_t usedCapacity() const;

    bool operator==(const DriveInfo&) const = default;
};

struct DriveInfoHash {
    std::size_t operator()(const DriveInfo& info) const;
};

}  // namespace quillane
