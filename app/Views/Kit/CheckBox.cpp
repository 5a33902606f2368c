#include "Views/Kit/CheckBox.h"

#include <QPainter>

#include "Views/Kit/Symbols.h"
#include "Views/Kit/Theme.h"

namespace quillane {

CheckBox::CheckBox(QWidget* parent) : PaintedButton(parent) {
    setCheckable(true);
    setFixedSize(sizeHint());
}

void CheckBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled()) painter.setOpacity(0.45);
    const QRectF box = QRectF(rect()).adjusted(1, 1, -1, -1);
    if (isChecked()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(isHovered() || isDown() ? Theme::accent().lighter(110) : Theme::accent());
        painter.drawRoundedRect(box, 4.5, 4.5);
        Symbols::paint(painter, box.adjusted(2, 2, -2, -2), QStringLiteral("checkmark"), Theme::onAccent(), QFont::Black);
        return;
    }
    // Off: a well with a border that stays readable on a card.
    painter.setPen(QPen(Theme::opacity(Qt::white, isHovered() || isDown() ? 0.55 : 0.4), 1.4));
    painter.setBrush(Theme::well());
    painter.drawRoundedRect(box.adjusted(0.2, 0.2, -0.2, -0.2), 4.5, 4.5);
}

}  // namespace quillane
