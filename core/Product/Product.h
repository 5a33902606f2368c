#pragma once

namespace quillane::Product {
inline constexpr const char* name = "Quillane";
inline constexpr const char* version = "1.0.1";
// The program's one desktop identity: the file name of its desktop entry (without ".desktop"), its icon's
// name, its AppStream id and the id the launcher progress and notifications name. The build reads it from
// here for the installed files.
inline constexpr const char* desktopId = "app.quillane.Quillane";
// The product's earlier name, still found in legacy folders and partial-file suffixes.
inline constexpr const char* legacyName = "Tarnwick";
}  // namespace quillane::Product
