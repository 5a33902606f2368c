#include "Views/Kit/CopiesBadge.h"

#include "Support/Lang.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/Symbols.h"
#include "Views/Kit/Theme.h"

namespace quillane {

CopiesBadgeLook copiesBadgeLook(int copies, bool verified) {
    using Tint = CopiesBadgeLook::Tint;
    if (copies <= 0) return {Tint::danger, "xmark", L("Mislukt", "Failed")};
    CopiesBadgeLook look;
    if (copies == 1) look = {Tint::warning, "exclamationmark", L("1 kopie", "1 copy")};
    else if (copies == 2) look = {Tint::accent, "checkmark", L("Dubbel", "Double")};
    else look = {Tint::accent, "checkmark", std::to_string(copies) + "\u00D7 backup"};
    if (!verified) look.text += L(" · niet geverifieerd", " · not verified");
    return look;
}

CopiesBadge::CopiesBadge(int copies, QWidget* parent) : CapsuleTagView(parent), copies_(copies) {}

void CopiesBadge::setCopies(int copies, bool verified) {
    if (copies == copies_ && verified == verified_) return;
    copies_ = copies;
    verified_ = verified;
    updateGeometry();
    update();
}

QColor CopiesBadge::tint(CopiesBadgeLook::Tint tint) {
    switch (tint) {
    case CopiesBadgeLook::Tint::danger: return Theme::danger();
    case CopiesBadgeLook::Tint::warning: return Theme::warning();
    case CopiesBadgeLook::Tint::accent: return Theme::accent();
    }
    return Theme::accent();
}

CapsuleTag CopiesBadge::capsule(const CopiesBadgeLook& look) {
    const QColor color = tint(look.tint);
    return {.symbol = QString::fromStdString(look.symbol),
            .text = QString::fromStdString(look.text),
            .font = Fonts::text(11, QFont::DemiBold),
            .color = color,
            .fill = Theme::opacity(color, 0.14),
            .height = 22,
            .paddingX = 9,
            .symbolSide = Symbols::side(9)};
}

}  // namespace quillane
