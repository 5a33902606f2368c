#include "Views/Kit/DriveChip.h"

#include <QFontMetricsF>

#include "Support/Lang.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/Symbols.h"
#include "Views/Kit/Theme.h"

namespace quillane {

DriveChipLook driveChipLook(const std::string& name, bool failed) {
    if (failed) return {name, true, L("Kopie naar ", "Copy to ") + name + L(" mislukt", " failed")};
    return {name, false, L("Geverifieerde kopie op ", "Verified copy on ") + name};
}

DriveChip::DriveChip(DriveChipLook look, QWidget* parent) : CapsuleTagView(parent) { setLook(std::move(look)); }

void DriveChip::setLook(DriveChipLook look) {
    if (look == look_) return;
    look_ = std::move(look);
    setToolTip(QString::fromStdString(look_.toolTip));
    updateGeometry();
    update();
}

CapsuleTag DriveChip::capsule(const DriveChipLook& look) {
    const QFont font = Fonts::text(10.5, QFont::Medium);
    // A long drive name is shortened in its middle, so one chip never pushes a row apart.
    const QString name = QFontMetricsF(font).elidedText(QString::fromStdString(look.text), Qt::ElideMiddle, 180);
    return {.symbol = look.failed ? QStringLiteral("xmark") : QString(),
            .text = name,
            .font = font,
            .color = look.failed ? Theme::danger() : Theme::secondary(),
            .fill = look.failed ? Theme::opacity(Theme::danger(), 0.1) : Theme::opacity(Qt::white, 0.06),
            .height = 20,
            .paddingX = 8,
            .symbolSide = Symbols::side(8)};
}

}  // namespace quillane
