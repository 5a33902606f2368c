#include "Views/Kit/TextLine.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>
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

void TextLine::setMaximumLines(int lines) {
    maxLines_ = std::max(0, lines);
    changed();
}

void TextLine::setCentred(bool centred) {
    centred_ = centred;
    update();
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
    if (!wrap_) return elided(text_, font_, elide_, textWidth());
    const Wrapped text = wrapped(textWidth());
    return text.cut ? text.lines.join(QLatin1Char('\n')) : text_;
}

// Breaks at word boundaries, and inside a word only when it is longer than a line, so no line
// runs past the edge. Line breaks in the text start new lines.
TextLine::Wrapped TextLine::wrapped(double width) const {
    QString text = text_;
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(text, font_);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    Wrapped result;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max(1.0, width));
        const bool last = maxLines_ > 0 && result.lines.size() + 1 == maxLines_;
        if (last && line.textStart() + line.textLength() < text.size()) {
            // The last line allowed shows what of the rest fits on it, up to a line break, and "…".
            QString rest = text.mid(line.textStart());
            const qsizetype lineBreak = rest.indexOf(QChar::LineSeparator);
            if (lineBreak >= 0) rest = rest.left(lineBreak) + QChar(0x2026);
            result.lines << elided(rest, font_, Qt::ElideRight, width);
            result.cut = true;
            break;
        }
        QString shown = text.mid(line.textStart(), line.textLength());
        shown.remove(QChar::LineSeparator);
        while (!shown.isEmpty() && shown.back().isSpace()) shown.chop(1);
        result.lines << shown;
    }
    layout.endLayout();
    return result;
}

double TextLine::linesHeight(int count) const {
    const QFontMetricsF metrics(font_);
    return count * metrics.height() + std::max(0, count - 1) * std::max(0.0, metrics.leading());
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
    const int lines = static_cast<int>(wrapped(width - textOffset() - paddingX_).lines.size());
    return static_cast<int>(std::ceil(std::max(linesHeight(std::max(1, lines)), symbolSide())));
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
    const Qt::Alignment across = centred_ ? Qt::AlignHCenter : Qt::AlignLeft;
    if (wrap_) {
        const QStringList lines = wrapped(textWidth()).lines;
        const double step = metrics.height() + std::max(0.0, metrics.leading());
        for (int i = 0; i < lines.size(); ++i)
            painter.drawText(QRectF(textArea.left(), i * step, textArea.width(), metrics.height()),
                             across | Qt::AlignTop | Qt::TextSingleLine, lines[i]);
    } else {
        painter.drawText(textArea, across | Qt::AlignVCenter | Qt::TextSingleLine, shownText());
    }
}

}  // namespace quillane
