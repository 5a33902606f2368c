#include "Views/Kit/TextLabel.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>

#include <cmath>

#include "Views/Kit/Elide.h"

namespace quillane {

TextLabel::TextLabel(const QString& text, const QFont& font, const QColor& color, QWidget* parent)
    : QWidget(parent), text_(text), font_(font), color_(color) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void TextLabel::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    updateGeometry();
    update();
}

void TextLabel::setColor(const QColor& color) {
    color_ = color;
    update();
}

void TextLabel::setTextFont(const QFont& font) {
    font_ = font;
    updateGeometry();
    update();
}

void TextLabel::setAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

void TextLabel::setElideMode(Qt::TextElideMode mode) {
    elide_ = mode;
    update();
}

QString TextLabel::shownText() const {
    return elided(text_, font_, elide_, contentsRect().width() + 0.5);
}

QSize TextLabel::sizeHint() const {
    const QFontMetricsF metrics(font_);
    const QMargins m = contentsMargins();
    return QSize(static_cast<int>(std::ceil(metrics.horizontalAdvance(text_))), static_cast<int>(std::ceil(metrics.height()))) +
           QSize(m.left() + m.right(), m.top() + m.bottom());
}

QSize TextLabel::minimumSizeHint() const {
    // May shrink to an ellipsis.
    const QFontMetricsF metrics(font_);
    const int ellipsis = text_.isEmpty() ? 0 : static_cast<int>(std::ceil(metrics.horizontalAdvance(QStringLiteral("…"))));
    const QMargins m = contentsMargins();
    return QSize(ellipsis, static_cast<int>(std::ceil(metrics.height()))) + QSize(m.left() + m.right(), m.top() + m.bottom());
}

void TextLabel::paintEvent(QPaintEvent*) {
    if (text_.isEmpty()) return;
    QPainter painter(this);
    painter.setFont(font_);
    painter.setPen(color_);
    painter.drawText(QRectF(contentsRect()), static_cast<int>(alignment_) | Qt::TextSingleLine, shownText());
}

QLabel* wrappingLabel(const QString& text, const QFont& font, const QColor& color, Qt::Alignment alignment,
                      QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFont(font);
    label->setAlignment(alignment);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    label->setText(text);
    return label;
}

}  // namespace quillane
