#include "Transfer/MHLFormat.h"

#include "Support/Lang.h"

namespace quillane {

std::string MHLFormats::id(MHLFormat format) {
    switch (format) {
        case MHLFormat::asc: return "asc";
        case MHLFormat::classic: return "classic";
        case MHLFormat::both: return "both";
    }
    return "asc";
}

std::optional<MHLFormat> MHLFormats::fromRawValue(std::string_view raw) {
    for (MHLFormat format : allCases)
        if (raw == id(format)) return format;
    return std::nullopt;
}

std::string MHLFormats::displayName(MHLFormat format) {
    switch (format) {
        case MHLFormat::asc: return L("ASC MHL (Netflix, aanbevolen)", "ASC MHL (Netflix, recommended)");
        case MHLFormat::classic: return L("MHL 1.1 (klassiek)", "MHL 1.1 (classic)");
        case MHLFormat::both: return L("Beide", "Both");
    }
    return {};
}

}  // namespace quillane
