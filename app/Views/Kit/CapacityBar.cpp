#include "Views/Kit/CapacityBar.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

#include "Views/Kit/Theme.h"

namespace quillane {

namespace {
double fraction(double value) { return std::isnan(value) ? 0.0 : value; }
double partWidth(double value, double width) { return std::max(value >= 1 ? width : value * width, 2.0); }
}  // namespace

CapacityBarGeometry capacityBarGeometry(double used, double reserved, double width) {
    used = fraction(used);
    reserved = fraction(reserved);
    CapacityBarGeometry geometry;
    geometry.usedWidth = partWidth(used, width);
    if (reserved > 0)
        geometry.reserved = CapacityBarGeometry::Span{std::clamp(used, 0.0, 1.0) * width, partWidth(reserved, width)};
    return geometry;
}

CapacityBar::CapacityBar(double used, double reserved, const QColor& tint, QWidget* parent)
    : QWidget(parent), used_(used), reserved_(reserved), tint_(tint) {
    setFixedHeight(4);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void CapacityBar::setValues(double used, double reserved, const QColor& tint) {
    used_ = used;
    reserved_ = reserved;
    tint_ = tint;
    update();
}

void CapacityBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const double h = height();
    const auto capsule = [&](double x, double w, const QColor& color) {
        painter.setBrush(color);
        painter.drawRoundedRect(QRectF(x, 0, w, h), h / 2, h / 2);
    };
    const CapacityBarGeometry geometry = capacityBarGeometry(used_, reserved_, width());
    capsule(0, width(), Theme::opacity(Qt::white, 0.07));
    capsule(0, geometry.usedWidth, Theme::opacity(tint_, 0.55));
    if (geometry.reserved) capsule(geometry.reserved->x, geometry.reserved->width, Theme::opacity(Theme::accent(), 0.85));
}

}  // namespace quillane
