#include "Platform/FileSystemIdentity.h"

#include <blkid/blkid.h>

#include <system_error>

#include "Support/Text.h"

namespace quillane::FileSystemIdentities {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> lookup(blkid_probe probe, const char* name) {
    const char* data = nullptr;
    std::size_t length = 0;
    if (blkid_probe_lookup_value(probe, name, &data, &length) != 0 || data == nullptr) return std::nullopt;
    // blkid counts the terminating zero in the length.
    std::string_view value(data, length);
    while (!value.empty() && value.back() == '\0') value.remove_suffix(1);
    return Text::trimmedOrNone(value);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The name of the link in `folder` that points at the device, decoded.
std::optional<std::string> linkNaming(const fs::path& folder, std::string_view kernelName) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code linkError;
        const fs::path target = fs::read_symlink(it->path(), linkError);
        if (!linkError && target.filename() == kernelName)
            return Text::trimmedOrNone(decodeHexEscapes(it->path().filename().string()));
    }
    return std::nullopt;
}

}  // namespace

std::optional<FileSystemIdentity> probe(const fs::path& deviceNode) {
    blkid_probe probe = blkid_new_probe_from_filename(deviceNode.c_str());
    if (probe == nullptr) return std::nullopt;
    blkid_probe_enable_superblocks(probe, 1);
    blkid_probe_set_superblocks_flags(probe, BLKID_SUBLKS_LABEL | BLKID_SUBLKS_UUID | BLKID_SUBLKS_TYPE);
    blkid_probe_enable_partitions(probe, 0);
    std::optional<FileSystemIdentity> identity;
    if (blkid_do_safeprobe(probe) == 0) {
        identity = FileSystemIdentity{lookup(probe, "UUID"), lookup(probe, "LABEL"), lookup(probe, "TYPE")};
    }
    blkid_free_probe(probe);
    return identity;
}

FileSystemIdentity fromDiskLinks(const fs::path& devRoot, std::string_view kernelName) {
    FileSystemIdentity identity;
    identity.uuid = linkNaming(devRoot / "disk" / "by-uuid", kernelName);
    identity.label = linkNaming(devRoot / "disk" / "by-label", kernelName);
    return identity;
}

std::string decodeHexEscapes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' && hexDigit(text[i + 2]) >= 0 &&
            hexDigit(text[i + 3]) >= 0) {
            out.push_back(static_cast<char>(hexDigit(text[i + 2]) * 16 + hexDigit(text[i + 3])));
            i += 3;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

std::string platformTypeName(std::string_view linuxType) {
    const std::string type = Text::asciiLowercased(linuxType);
    if (type == "vfat" || type == "fat" || type == "msdos" || type == "fat32" || type == "fat16" || type == "fat12")
        return "msdos";
    if (type == "ntfs" || type == "ntfs3" || type == "ntfs-3g") return "ntfs";
    if (type == "hfsplus") return "hfs";
    if (type == "iso9660") return "cd9660";
    return type;
}

}  // namespace quillane::FileSystemIdentities
