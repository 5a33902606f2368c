#include "Views/Kit/SymbolView.h"

#include <QPainter>

#include <cmath>

#include "Views/Kit/Symbols.h"

namespace quillane {

SymbolView::SymbolView(const QString& name, double fontPx, const QColor& color, QFont::Weight weight, QWidget* parent)
    : QWidget(parent), name_(name), side_(Symbols::side(fontPx)), color_(color), weight_(weight) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void SymbolView::setSymbol(const QString& name) {
    name_ = name;
    update();
}

void SymbolView::setColor(const QColor& color) {
    color_ = color;
    update();
}

void SymbolView::setFrame(QSize frame) {
    frame_ = frame;
    updateGeometry();
}

void SymbolView::setRotation(qreal degrees) {
    rotation_ = degrees;
    update();
}

void SymbolView::setOpacity(double opacity) {
    opacity_ = opacity;
    update();
}

QSize SymbolView::sizeHint() const {
    const int s = static_cast<int>(std::ceil(side_));
    return frame_.isValid() ? frame_ : QSize(s, s);
}

void SymbolView::paintEvent(QPaintEvent*) {
    if (name_.isEmpty()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setOpacity(opacity_);
    const QPointF centre = QRectF(rect()).center();
    painter.translate(centre);
    painter.rotate(rotation_);
    Symbols::paint(painter, QRectF(-side_ / 2, -side_ / 2, side_, side_), name_, color_, weight_);
}

}  // namespace quillane
