#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The identity that a file system writes into its own superblock: UUID, label and type.
// Read with libblkid from the device; where the device cannot be opened (no permission),
// from udev's database or the /dev/disk/by-uuid and by-label links.
namespace quillane {

struct FileSystemIdentity {
    std::optional<std::string> uuid;   // as blkid spells it: "77d13738-…", "7F5F-689B"
    std::optional<std::string> label;  // valid UTF-8, trimmed
    std::optional<std::string> type;   // blkid's type name: "ext4", "vfat", "exfat", "ntfs", ...
};

namespace FileSystemIdentities {

// Probes the superblock of the device node; nothing when it cannot be opened or holds no
// known file system.
std::optional<FileSystemIdentity> probe(const std::filesystem::path& deviceNode);

// The UUID and label that the /dev/disk/by-uuid and by-label links name for a device
// (kernel name such as "sdb1"); the links' "\x20" escapes are decoded.
FileSystemIdentity fromDiskLinks(const std::filesystem::path& devRoot, std::string_view kernelName);

// Decodes udev's "\xHH" escapes ("NO\x20NAME" → "NO NAME").
std::string decodeHexEscapes(std::string_view text);

// The name the rest of the system uses for a file-system type: vfat → "msdos",
// ntfs/ntfs3 → "ntfs", hfsplus → "hfs"; others lower-cased as they are.
std::string platformTypeName(std::string_view linuxType);

}  // namespace FileSystemIdentities
}  // namespace quillane
