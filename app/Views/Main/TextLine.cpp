#include "Views/Main/TextLine.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "Views/Kit/Elide.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/Symbols.h"
#include "Views/Kit/Theme.h"

namespace quillane {

TextLine::TextLine(const QFont& font, const QColor& color, QWidget* parent)
    : QWidget(parent), font_(font), color_(color.isValid() ? color : Theme::text()) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void TextLine::changed() {
    updateGeometry();
    update();
}

void TextLine::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    setAccessibleName(text);
    changed();
}

void TextLine::setColor(const QColor& color) {
    if (color == color_) return;
    color_ = color;
    update();
}

void TextLine::setFont(const QFont& font) {
    font_ = font;
    changed();
}

void TextLine::setSymbol(const QString& symbol, const QColor& color) {
    symbol_ = symbol;
    symbolColor_ = color;
    changed();
}

void TextLine::setElideMode(Qt::TextElideMode mode) {
    elide_ = mode;
    update();
}

void TextLine::setWrapping(bool wrap) {
    wrap_ = wrap;
    setSizePolicy(QSizePolicy::Preferred, wrap ? QSizePolicy::Minimum : QSizePolicy::Fixed);
    changed();
}

void TextLine::setCapsule(const QColor& fill, double paddingX, double height) {
    capsule_ = fill;
    paddingX_ = paddingX;
    capsuleHeight_ = height;
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    changed();
}

double TextLine::symbolSide() const { return symbol_.isEmpty() ? 0 : Symbols::side(Fonts::pixelSize(font_)); }

// A symbol alone (no text) takes only its own width: no gap is kept for a text that is not there.
double TextLine::textOffset() const {
    return paddingX_ + (symbol_.isEmpty() ? 0 : symbolSide() + (text_.isEmpty() ? 0 : 5));
}

double TextLine::textWidth() const { return width() - textOffset() - paddingX_; }

QString TextLine::shownText() const {
    if (wrap_) return text_;
    return elided(text_, font_, elide_, textWidth());
}

QSize TextLine::sizeHint() const {
    const QFontMetricsF metrics(font_);
    const double width = textOffset() + metrics.horizontalAdvance(text_) + paddingX_;
    const double height = std::max({capsuleHeight_, metrics.height(), symbolSide()});
    return {static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height))};
}

QSize TextLine::minimumSizeHint() const {
    if (capsule_.isValid()) return sizeHint();
    // Shrinks to an ellipsis; a symbol without text keeps just the symbol.
    const double ellipsis = text_.isEmpty() ? 0 : QFontMetricsF(font_).horizontalAdvance(QStringLiteral("…"));
    return {static_cast<int>(std::ceil(textOffset() + ellipsis)), sizeHint().height()};
}

int TextLine::heightForWidth(int width) const {
    if (!wrap_) return sizeHint().height();
    const QFontMetricsF metrics(font_);
    const QRectF bounds = metrics.boundingRect(QRectF(0, 0, std::max(1.0, width - textOffset() - paddingX_), 1e6),
                                               Qt::TextWordWrap, text_);
    return static_cast<int>(std::ceil(std::max(bounds.height(), symbolSide())));
}

void TextLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = rect();
    if (capsule_.isValid()) {
        const double h = std::min<double>(capsuleHeight_, area.height());
        const QRectF pill(0, (area.height() - h) / 2, area.width(), h);
        painter.setPen(Qt::NoPen);
        painter.setBrush(capsule_);
        painter.drawRoundedRect(pill, h / 2, h / 2);
    }
    const QFontMetricsF metrics(font_);
    if (!symbol_.isEmpty()) {
        const double side = symbolSide();
        const double top = wrap_ ? (metrics.height() - side) / 2 : (area.height() - side) / 2;
        Symbols::paint(painter, QRectF(paddingX_, top, side, side), symbol_,
                       symbolColor_.isValid() ? symbolColor_ : color_, font_.weight() >= QFont::DemiBold ? QFont::DemiBold : QFont::Normal);
    }
    painter.setFont(font_);
    painter.setPen(color_);
    const QRectF textArea(textOffset(), 0, textWidth(), area.height());
    if (wrap_) {
        painter.drawText(textArea, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text_);
    } else {
        painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shownText());
    }
}

}  // namespace quillane
