#include "Views/Settings/DisclosureButton.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

#include "Views/Kit/Animations.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/Symbols.h"
#include "Views/Kit/Theme.h"

namespace quillane {

namespace {
QFont titleFont() { return Fonts::text(13); }
constexpr double chevron = 12;
}  // namespace

DisclosureButton::DisclosureButton(const QString& title, QWidget* parent) : PaintedButton(parent) {
    setText(title);
    setCheckable(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(this, &QAbstractButton::toggled, this,
            [this](bool open) { Animations::animate(this, "turn", open ? 90.0 : 0.0, 150); });
}

void DisclosureButton::setTurn(qreal degrees) {
    turn_ = degrees;
    update();
}

QSize DisclosureButton::sizeHint() const {
    const QFontMetricsF metrics(titleFont());
    return {static_cast<int>(std::ceil(chevron + 8 + metrics.horizontalAdvance(text()))), 36};
}

void DisclosureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = isHovered() ? Theme::text() : Theme::secondary();
    painter.save();
    painter.translate(chevron / 2, height() / 2.0);
    painter.rotate(turn_);
    Symbols::paint(painter, QRectF(-chevron / 2, -chevron / 2, chevron, chevron), QStringLiteral("chevron.right"), ink,
                   QFont::Bold);
    painter.restore();
    painter.setFont(titleFont());
    painter.setPen(Theme::text());
    painter.drawText(QRectF(chevron + 8, 0, width() - chevron - 8, height()), Qt::AlignLeft | Qt::AlignVCenter, text());
}

}  // namespace quillane
