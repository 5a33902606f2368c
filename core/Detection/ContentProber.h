#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

#include "Detection/ContentProbe.h"

namespace quillane {

// A bounded, breadth-first look at the top of a volume: it lists folders and reads no file.
namespace ContentProber {

// Folders in a volume's root under which cameras keep their clips; files there count as shallow
// down to depth 5.
inline constexpr std::array<std::string_view, 4> cameraTreeRoots{"PRIVATE/", "CONTENTS/", "XDROOT/", "DCIM/"};

// Looks at no more than entryLimit entries, lists folders down to depth 4 only, never follows a
// symbolic link and never leaves the volume's file system. Never fails: an unlistable root sets
// accessDenied, an unlistable folder below it is passed over. Synchronous and possibly slow on a
// large or sluggish volume: call it off the main thread.
ContentProbe probe(const std::filesystem::path& root, const std::set<std::string>& videoExtensions,
                   std::int64_t entryLimit);

}  // namespace ContentProber
}  // namespace quillane
