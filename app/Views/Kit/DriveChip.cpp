#include "Views/Kit/DriveChip.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

#include "Support/Lang.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/Symbols.h"
#include "Views/Kit/Theme.h"

namespace quillane {
namespace {

constexpr double chipPaddingX = 8;
constexpr double chipHeight = 20;
constexpr double chipSpacing = 4;

QFont chipFont() { return Fonts::text(10.5, QFont::Medium); }
double crossSide() { return Symbols::side(8); }

// A long drive name is shortened in its middle, so one chip never pushes a row apart.
QString shownName(const DriveChipLook& look) {
    return QFontMetricsF(chipFont()).elidedText(QString::fromStdString(look.text), Qt::ElideMiddle, 180);
}

}  // namespace

DriveChipLook driveChipLook(const std::string& name, bool failed) {
    if (failed) return {name, true, L("Kopie naar ", "Copy to ") + name + L(" mislukt", " failed")};
    return {name, false, L("Geverifieerde kopie op ", "Verified copy on ") + name};
}

DriveChip::DriveChip(DriveChipLook look, QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setLook(std::move(look));
}

void DriveChip::setLook(DriveChipLook look) {
    if (look == look_) return;
    look_ = std::move(look);
    setToolTip(QString::fromStdString(look_.toolTip));
    updateGeometry();
    update();
}

QSize DriveChip::sizeHint() const { return size(look_).toSize(); }

QSizeF DriveChip::size(const DriveChipLook& look) {
    const double text = QFontMetricsF(chipFont()).horizontalAdvance(shownName(look));
    const double cross = look.failed ? crossSide() + chipSpacing : 0;
    return {std::ceil(chipPaddingX * 2 + cross + text), chipHeight};
}

void DriveChip::paint(QPainter& painter, QPointF origin, const DriveChipLook& look) {
    const QRectF rect(origin, size(look));
    const QColor color = look.failed ? Theme::danger() : Theme::secondary();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(look.failed ? Theme::opacity(Theme::danger(), 0.1) : Theme::opacity(Qt::white, 0.06));
    painter.drawRoundedRect(rect, chipHeight / 2, chipHeight / 2);
    double x = rect.left() + chipPaddingX;
    if (look.failed) {
        const double side = crossSide();
        Symbols::paint(painter, QRectF(x, rect.center().y() - side / 2, side, side), "xmark", color, QFont::Bold);
        x += side + chipSpacing;
    }
    painter.setFont(chipFont());
    painter.setPen(color);
    painter.drawText(QRectF(x, rect.top(), rect.right() - x, chipHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     shownName(look));
    painter.restore();
}

void DriveChip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QSizeF extent = size(look_);
    paint(painter, QPointF((width() - extent.width()) / 2, (height() - extent.height()) / 2), look_);
}

}  // namespace quillane
