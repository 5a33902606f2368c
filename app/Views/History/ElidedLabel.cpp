#include "Views/History/ElidedLabel.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace quillane {

ElidedLabel::ElidedLabel(const QFont& font, const QColor& color, QWidget* parent, Qt::TextElideMode mode)
    : QWidget(parent), color_(color), mode_(mode) {
    setFont(font);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void ElidedLabel::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    setAccessibleName(text);
    updateGeometry();
    update();
}

void ElidedLabel::setColor(const QColor& color) {
    if (color == color_) return;
    color_ = color;
    update();
}

QSize ElidedLabel::sizeHint() const {
    const QFontMetricsF metrics(font());
    return QSize(static_cast<int>(std::ceil(metrics.horizontalAdvance(text_))), static_cast<int>(std::ceil(metrics.height())));
}

QSize ElidedLabel::minimumSizeHint() const {
    const QFontMetricsF metrics(font());
    const double shortest = metrics.horizontalAdvance(text_.left(1) + QChar(0x2026));
    return QSize(static_cast<int>(std::ceil(std::min(shortest, metrics.horizontalAdvance(text_)))),
                 static_cast<int>(std::ceil(metrics.height())));
}

void ElidedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(color_);
    const QFontMetricsF metrics(font());
    painter.drawText(QRectF(rect()), Qt::AlignLeft | Qt::AlignVCenter, metrics.elidedText(text_, mode_, width()));
}

}  // namespace quillane
