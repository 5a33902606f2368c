#include "Views/Kit/BrandLogo.h"

#include <QPainter>
#include <QSvgRenderer>

#include <cmath>

namespace quillane {

BrandLogo::BrandLogo(double size, QWidget* parent) : QWidget(parent), size_(size) {
    const int side = static_cast<int>(std::ceil(size));
    setFixedSize(side, side);
}

QString BrandLogo::resource() { return QStringLiteral(":/icons/own/quillane-logo.svg"); }

void BrandLogo::paint(QPainter& painter, double size) {
    // One drawing of the mark for the window, the notifications and the installed application icon.
    static QSvgRenderer mark(resource());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    mark.render(&painter, QRectF(0, 0, size, size));
    painter.restore();
}

void BrandLogo::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint(painter, size_);
}

}  // namespace quillane
