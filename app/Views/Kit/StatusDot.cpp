#include "Views/Kit/StatusDot.h"

#include <QPainter>

namespace quillane {

StatusDot::StatusDot(const QColor& color, QWidget* parent) : QWidget(parent), color_(color) { setFixedSize(6, 6); }

void StatusDot::setColor(const QColor& color) {
    color_ = color;
    update();
}

void StatusDot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color_);
    painter.drawEllipse(QRectF(rect()));
}

}  // namespace quillane
