#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quillane {

// Which manifests a transfer writes.
enum class MHLFormat { asc, classic, both };

namespace MHLFormats {
inline constexpr std::array<MHLFormat, 3> allCases{MHLFormat::asc, MHLFormat::classic, MHLFormat::both};
// The stored raw text: "asc", "classic" or "both".
std::string id(MHLFormat format);
// Accepts exactly the three raw texts.
std::optional<MHLFormat> fromRawValue(std::string_view raw);
// In the current language.
std::string displayName(MHLFormat format);
// Whether the format includes the ASC MHL manifest and chain.
inline bool includesASC(MHLFormat format) { return format != MHLFormat::classic; }
// Whether the format includes the MHL 1.1 manifest.
inline bool includesClassic(MHLFormat format) { return format != MHLFormat::asc; }
}  // namespace MHLFormats

}  // namespace quillane
