#include "Views/Kit/Toggle.h"

#include <QPainter>

#include "Views/Kit/Theme.h"

namespace quillane {

Toggle::Toggle(QWidget* parent) : PaintedButton(parent) {
    setCheckable(true);
    setFixedSize(sizeHint());
}

void Toggle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled()) painter.setOpacity(0.45);
    const QRectF track = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const double r = track.height() / 2;
    QColor fill = isChecked() ? Theme::accent() : Theme::opacity(Qt::white, isHovered() ? 0.2 : 0.14);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(track, r, r);
    const double knob = track.height() - 4;
    const double x = isChecked() ? track.right() - 2 - knob : track.left() + 2;
    painter.setBrush(isChecked() ? Theme::onAccent() : Theme::text());
    painter.drawEllipse(QRectF(x, track.top() + 2, knob, knob));
}

}  // namespace quillane
