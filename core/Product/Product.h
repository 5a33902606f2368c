#pragma once

namespace quillane::Product {
inline constexpr const char* name = "Quillane";
inline constexpr const char* version = "1.0.1";
// The product's earlier name, still found in legacy folders and partial-file suffixes.
inline constexpr const char* legacyName = "Tarnwick";
}  // namespace quillane::Product
