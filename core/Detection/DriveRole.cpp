#include "Detection/DriveRole.h"

#include "Support/EnumNames.h"

namespace quillane::DriveRoles {

namespace {
constexpr EnumNames<DriveRole, 3> names{{{
    {DriveRole::source, "source", "Bron (camerakaart)", "Source (card)"},
    {DriveRole::destination, "destination", "Bestemming (SSD)", "Destination (SSD)"},
    {DriveRole::ignored, "ignored", "Negeren", "Ignore"},
}}};
}  // namespace

std::string id(DriveRole role) { return names.id(role); }
std::optional<DriveRole> fromRawValue(std::string_view raw) { return names.fromRawValue(raw); }
std::string displayName(DriveRole role) { return names.displayName(role); }

}  // namespace quillane::DriveRoles
