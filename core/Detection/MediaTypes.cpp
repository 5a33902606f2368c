#include "Detection/MediaTypes.h"

#include <algorithm>

#include "Support/EnumNames.h"
#include "Support/Lang.h"
#include "Support/Text.h"

namespace quillane {

const std::vector<std::string>& MediaTypes::defaultVideoExtensions() {
    static const std::vector<std::string> extensions{
        "mov", "mp4", "m4v", "mxf", "braw", "r3d", "ari", "arx", "crm",
        "mts", "m2ts", "avi", "mkv", "insv", "dng", "cine", "nev"};
    return extensions;
}

const std::set<std::string>& MediaTypes::audioExtensions() {
    static const std::set<std::string> extensions{"wav", "bwf", "aif", "aiff", "mp3", "m4a", "flac"};
    return extensions;
}

namespace {
const std::set<std::string, std::less<>>& junkNames() {
    static const std::set<std::string, std::less<>> names{
        ".DS_Store", ".Spotlight-V100", ".fseventsd", ".Trashes", ".TemporaryItems",
        ".DocumentRevisions-V100", ".apdisk", ".com.apple.timemachine.donotpresent",
        "System Volume Information", "$RECYCLE.BIN", ".VolumeIcon.icns", ".hedge-enabled",
        ".offshoot-enabled"};
    return names;
}
}  // namespace

bool MediaTypes::isJunk(std::string_view name, bool inVolumeRoot) {
    if (junkNames().count(name) != 0) return true;
    if (inVolumeRoot) {
        if (name == "lost+found" || name == ".Trash") return true;
        constexpr std::string_view trash = ".Trash-";
        if (name.starts_with(trash) && name.size() > trash.size() &&
            std::all_of(name.begin() + trash.size(), name.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return true;
    }
    if (name.starts_with("._")) return true;
    if (name.ends_with(".quillane-partial")) return true;
    if (name.ends_with(".tarnwick-partial")) return true;
    return false;
}

bool MediaTypes::isAudio(std::string_view extension) {
    return audioExtensions().count(Text::asciiLowercased(extension)) != 0;
}

namespace {
constexpr EnumNames<CopyMode, 2> copyModeNames{{{
    {CopyMode::entireCard, "entireCard", "Hele kaart", "Entire card"},
    {CopyMode::videoOnly, "videoOnly", "Alleen videobestanden", "Video files only"},
}}};
}  // namespace

std::string CopyModes::id(CopyMode mode) { return copyModeNames.id(mode); }
std::optional<CopyMode> CopyModes::fromRawValue(std::string_view raw) { return copyModeNames.fromRawValue(raw); }
std::string CopyModes::displayName(CopyMode mode) { return copyModeNames.displayName(mode); }

std::string CopyModes::detail(CopyMode mode) {
    if (mode == CopyMode::videoOnly)
        return L("Alleen clips; mappenstructuur blijft behouden", "Clips only; folder structure is preserved");
    return L("Kopieert de volledige mappenstructuur incl. metadata (aanbevolen)",
             "Copies the full folder structure incl. metadata (recommended)");
}

}  // namespace quillane
