#include "Transfer/MHLFormat.h"

#include "Support/EnumNames.h"

namespace quillane {

namespace {
constexpr EnumNames<MHLFormat, 3> names{{{
    {MHLFormat::asc, "asc", "ASC MHL (Netflix, aanbevolen)", "ASC MHL (Netflix, recommended)"},
    {MHLFormat::classic, "classic", "MHL 1.1 (klassiek)", "MHL 1.1 (classic)"},
    {MHLFormat::both, "both", "Beide", "Both"},
}}};
}  // namespace

std::string MHLFormats::id(MHLFormat format) { return names.id(format); }
std::optional<MHLFormat> MHLFormats::fromRawValue(std::string_view raw) { return names.fromRawValue(raw); }
std::string MHLFormats::displayName(MHLFormat format) { return names.displayName(format); }

}  // namespace quillane
