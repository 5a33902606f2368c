#include "Views/Kit/BrandLogo.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

#include "Views/Kit/Theme.h"

namespace quillane {

BrandLogo::BrandLogo(double size, QWidget* parent) : QWidget(parent), size_(size) {
    const int side = static_cast<int>(std::ceil(size));
    setFixedSize(side, side);
}

void BrandLogo::paint(QPainter& painter, double size) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);  // one unit is 1/32 of the mark
    painter.setPen(Qt::NoPen);
    const QColor ground(0x1E, 0x22, 0x28);

    painter.setBrush(ground);
    painter.drawRoundedRect(QRectF(0, 0, 32, 32), 8, 8);

    QPainterPath card;
    card.moveTo(10, 7);
    card.lineTo(20, 7);
    card.lineTo(23, 10);
    card.lineTo(23, 25);
    card.lineTo(10, 25);
    card.closeSubpath();
    painter.fillPath(card, QColor(0xEC, 0xEE, 0xF1));

    painter.setBrush(QColor(0x9A, 0xA1, 0xAB));
    for (double x : {13.0, 16.0, 19.0}) painter.drawRoundedRect(QRectF(x, 9, 1.6, 3), 0.5, 0.5);

    painter.setBrush(ground);
    painter.drawEllipse(QRectF(15, 15, 15, 15));
    painter.setBrush(Theme::accent());
    painter.drawEllipse(QRectF(16, 16, 13, 13));

    QPainterPath check;
    check.moveTo(19.6, 22.6);
    check.lineTo(21.6, 24.6);
    check.lineTo(25.4, 20.4);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Theme::onAccent(), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(check);
    painter.restore();
}

void BrandLogo::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint(painter, size_);
}

}  // namespace quillane
