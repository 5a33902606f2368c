#pragma once
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <optional>

namespace quillane {

// What stands under a card file's final name on a destination.
enum class DestinationFile {
    missing,   // nothing there: the file is to be copied
    present,   // a regular file of the card file's size: already copied, read back only
    conflict,  // anything else (another size, a folder, a link): never overwritten
};

// The rules by which the engine and the model judge a destination before writing to it.
namespace DestinationFiles {

// The one rule for "already on the destination". Links are not followed.
DestinationFile check(const std::filesystem::path& final, std::int64_t size);

// The device of the volume a path lies on: that of the path itself, or of its nearest existing
// parent folder when the path does not exist yet. None when nothing of it can be reached.
std::optional<dev_t> volumeOf(const std::filesystem::path& path);

// True when the path (or its nearest existing parent) lies on the volume. A drive that went away
// leaves its mount folder behind on the system disk: a path there lies on another volume.
bool liesOn(const std::filesystem::path& path, dev_t volume);

}  // namespace DestinationFiles
}  // namespace quillane
