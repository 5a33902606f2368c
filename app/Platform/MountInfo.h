#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reading /proc/self/mountinfo: one entry per mount, in the kernel's order (parents first).
// No Qt here: the parsing is plain text work and is tested on recorded samples.
namespace quillane {

struct MountEntry {
    int mountId = 0;
    int parentId = 0;
    unsigned major = 0;  // the device of the mounted file system (st_dev)
    unsigned minor = 0;
    std::string root;                 // the folder of the file system mounted here ("/" unless a bind)
    std::filesystem::path mountPoint;  // unescaped
    std::string mountOptions;          // per-mount options, "rw,nosuid,relatime"
    std::string fsType;                // "ext4", "fuseblk", "tmpfs", ...
    std::string source;                // "/dev/sdb1", "tmpfs", "server:/export", ...; unescaped
    std::string superOptions;          // per-superblock options

    // Mounted read-only, by the mount's own options or the file system's.
    bool isReadOnly() const;
};

namespace MountInfo {

// The entries of a whole mountinfo text; malformed lines are skipped.
std::vector<MountEntry> parse(std::string_view text);
// The text of a mount table file (at most `maxBytes`), read directly rather than through the
// engine's file layer; nothing when it cannot be read or is larger.
std::optional<std::string> readTable(const std::filesystem::path& file, std::size_t maxBytes = 16u << 20);
// One line (without its line break); nothing when it is malformed.
std::optional<MountEntry> parseLine(std::string_view line);
// The kernel escapes space, tab, line break and backslash in paths as a backslash and three
// octal digits ("\040"); anything else after a backslash is kept as it stands.
std::string unescape(std::string_view field);
// True when the comma-separated option list holds the option exactly ("ro", not "errors=remount-ro").
bool hasOption(std::string_view options, std::string_view option);

}  // namespace MountInfo
}  // namespace quillane
