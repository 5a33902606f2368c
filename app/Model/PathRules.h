#pragma once
#include <filesystem>
#include <string>

namespace quillane::PathRules {

// The path with "." and ".." resolved lexically and no trailing "/" (the root stays "/").
std::string standardized(const std::filesystem::path& path);
bool sameFolder(const std::filesystem::path& a, const std::filesystem::path& b);
// The folder is the volume itself or lies below it (by path, not by prefix of a name).
bool liesOn(const std::filesystem::path& folder, const std::filesystem::path& volume);
// The folder relative to the volume, without "/" at either end; empty for the volume itself.
std::string relativeTo(const std::filesystem::path& folder, const std::filesystem::path& volume);
// Below the folder the fictional demo drives live under.
bool isDemoLocation(const std::filesystem::path& location);

}  // namespace quillane::PathRules
