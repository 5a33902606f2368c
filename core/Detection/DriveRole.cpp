#include "Detection/DriveRole.h"

#include "Support/Lang.h"

namespace quillane::DriveRoles {

std::string id(DriveRole role) {
    switch (role) {
        case DriveRole::source: return "source";
        case DriveRole::destination: return "destination";
        case DriveRole::ignored: break;
    }
    return "ignored";
}

std::optional<DriveRole> fromRawValue(std::string_view raw) {
    if (raw == "source") return DriveRole::source;
    if (raw == "destination") return DriveRole::destination;
    if (raw == "ignored") return DriveRole::ignored;
    return std::nullopt;
}

std::string displayName(DriveRole role) {
    switch (role) {
        case DriveRole::source: return L("Bron (camerakaart)", "Source (card)");
        case DriveRole::destination: return L("Bestemming (SSD)", "Destination (SSD)");
        case DriveRole::ignored: break;
    }
    return L("Negeren", "Ignore");
}

}  // namespace quillane::DriveRoles
