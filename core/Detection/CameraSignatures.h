#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "Detection/CameraMatch.h"
#include "Detection/ContentProbe.h"

namespace quillane {

// Recognises cameras and sound recorders by the traces they leave on their cards: fixed folder
// names, clip-name patterns and file extensions.
namespace CameraSignatures {

// The first matching signature, most specific first; nothing for an unrecognised probe.
// The evidence text is in the current language.
std::optional<CameraMatch> detect(const ContentProbe& probe);

// The card's own reel folder (an ARRI reel folder or a RED magazine folder) when it is the only
// visible entry in the root, exactly as named.
std::optional<std::string> ownReelFolder(const ContentProbe& probe);

// The card's reel name ("A001") from its root folders, its clip names or its volume name.
std::optional<std::string> reelName(std::string_view volumeName, const ContentProbe* probe);

// A volume name that begins with a reel: a letter A–Z, exactly three digits, then the end or a
// non-digit. Gives the reel ("A001") or nothing.
std::optional<std::string> reelFromVolumeName(std::string_view upperCasedName);

}  // namespace CameraSignatures
}  // namespace quillane
