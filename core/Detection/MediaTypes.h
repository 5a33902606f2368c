#pragma once
#include <array>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace quillane {

namespace MediaTypes {
// The default of the user's video-extension setting, in this order.
const std::vector<std::string>& defaultVideoExtensions();
const std::set<std::string>& audioExtensions();
// A file or folder name (not a path) that is never copied nor looked into: volume and OS
// litter, AppleDouble files, and partial files of this product and its predecessor; in a
// volume's root also what Linux keeps there ("lost+found", ".Trash", ".Trash-<uid>"). The
// scanner and the probe both ask this.
bool isJunk(std::string_view name, bool inVolumeRoot = false);
// An extension without its dot, in any letter case.
bool isAudio(std::string_view extension);
}  // namespace MediaTypes

enum class CopyMode { entireCard, videoOnly };

namespace CopyModes {
inline constexpr std::array<CopyMode, 2> allCases{CopyMode::entireCard, CopyMode::videoOnly};
std::string id(CopyMode mode);
std::optional<CopyMode> fromRawValue(std::string_view raw);
std::string displayName(CopyMode mode);
std::string detail(CopyMode mode);
}  // namespace CopyModes

}  // namespace quillane
