#pragma once
#include <sys/types.h>

#include <filesystem>
#include <optional>

// Where the stores live: the user's data home (XDG_DATA_HOME, else ~/.local/share) and cache
// home (XDG_CACHE_HOME, else ~/.cache), each with the product's folder inside.
namespace quillane::StoreLocation {

// No value when neither the variable nor HOME gives an absolute path.
std::optional<std::filesystem::path> dataHome();
std::optional<std::filesystem::path> cacheHome();

// The data home + "Quillane"; a relative "Quillane" when there is no data home.
std::filesystem::path defaultDirectory();

// The stores hold private things (the push topic, the history): for this user only.
inline constexpr mode_t folderMode = 0700;
inline constexpr mode_t fileMode = 0600;

}  // namespace quillane::StoreLocation
