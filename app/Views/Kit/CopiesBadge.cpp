#include "Views/Kit/CopiesBadge.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

#include "Support/Lang.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/Symbols.h"
#include "Views/Kit/Theme.h"

namespace quillane {
namespace {

constexpr double badgePaddingX = 9;
constexpr double badgeHeight = 22;
constexpr double badgeSpacing = 4;

QFont badgeFont() { return Fonts::text(11, QFont::DemiBold); }
double symbolSide() { return Symbols::side(9); }

}  // namespace

CopiesBadgeLook copiesBadgeLook(int copies) {
    using Tint = CopiesBadgeLook::Tint;
    if (copies <= 0) return {Tint::danger, "xmark", L("Mislukt", "Failed")};
    if (copies == 1) return {Tint::warning, "exclamationmark", L("1 kopie", "1 copy")};
    if (copies == 2) return {Tint::accent, "checkmark", L("Dubbel", "Double")};
    return {Tint::accent, "checkmark", std::to_string(copies) + "\u00D7 backup"};
}

CopiesBadge::CopiesBadge(int copies, QWidget* parent) : QWidget(parent), copies_(copies) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void CopiesBadge::setCopies(int copies) {
    if (copies == copies_) return;
    copies_ = copies;
    updateGeometry();
    update();
}

QSize CopiesBadge::sizeHint() const { return size(copiesBadgeLook(copies_)).toSize(); }

QColor CopiesBadge::tint(CopiesBadgeLook::Tint tint) {
    switch (tint) {
    case CopiesBadgeLook::Tint::danger: return Theme::danger();
    case CopiesBadgeLook::Tint::warning: return Theme::warning();
    case CopiesBadgeLook::Tint::accent: return Theme::accent();
    }
    return Theme::accent();
}

QSizeF CopiesBadge::size(const CopiesBadgeLook& look) {
    const double text = QFontMetricsF(badgeFont()).horizontalAdvance(QString::fromStdString(look.text));
    return {std::ceil(badgePaddingX * 2 + symbolSide() + badgeSpacing + text), badgeHeight};
}

void CopiesBadge::paint(QPainter& painter, QPointF origin, const CopiesBadgeLook& look) {
    const QSizeF extent = size(look);
    const QRectF rect(origin, extent);
    const QColor color = tint(look.tint);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::opacity(color, 0.14));
    painter.drawRoundedRect(rect, badgeHeight / 2, badgeHeight / 2);
    const double side = symbolSide();
    Symbols::paint(painter, QRectF(rect.left() + badgePaddingX, rect.center().y() - side / 2, side, side),
                   QString::fromStdString(look.symbol), color, QFont::Bold);
    painter.setFont(badgeFont());
    painter.setPen(color);
    painter.drawText(QRectF(rect.left() + badgePaddingX + side + badgeSpacing, rect.top(), extent.width(), badgeHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(look.text));
    painter.restore();
}

void CopiesBadge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const CopiesBadgeLook look = copiesBadgeLook(copies_);
    const QSizeF extent = size(look);
    // Centred in whatever room the layout gives.
    paint(painter, QPointF((width() - extent.width()) / 2, (height() - extent.height()) / 2), look);
}

}  // namespace quillane
