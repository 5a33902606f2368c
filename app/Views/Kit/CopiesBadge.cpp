#include "Views/Kit/CopiesBadge.h"

#include "Support/Lang.h"

namespace quillane {

CopiesBadgeLook copiesBadgeLook(int copies) {
    using Tint = CopiesBadgeLook::Tint;
    if (copies <= 0) return {Tint::danger, "xmark", L("Mislukt", "Failed")};
    if (copies == 1) return {Tint::warning, "exclamationmark", L("1 kopie", "1 copy")};
    if (copies == 2) return {Tint::accent, "checkmark", L("Dubbel", "Double")};
    return {Tint::accent, "checkmark", std::to_string(copies) + "\u00D7 backup"};
}

}  // namespace quillane
