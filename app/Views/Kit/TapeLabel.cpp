#include "Views/Kit/TapeLabel.h"

#include <QPainter>

#include <cmath>

#include "Views/Kit/Theme.h"

namespace quillane {

TapeLabel::TapeLabel(const QString& text, double size, double tilt, QWidget* parent)
    : QWidget(parent), size_(size), tilt_(tilt) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setText(text);
}

QMarginsF TapeLabel::padding(double size) { return {0.42 * size, 0.30 * size, 0.42 * size, 0.26 * size}; }

void TapeLabel::setText(const QString& text) {
    text_ = text;
    setAccessibleName(text);
    relayout();
}

void TapeLabel::relayout() {
    QString shown = text_;
    if (shown.size() > maximumCharacters) shown = shown.left(maximumCharacters - 1) + QStringLiteral("…");
    lettering_ = TapeLettering::layout(shown, size_);
    updateGeometry();
    update();
}

QSizeF TapeLabel::tapeSize() const {
    const QMarginsF pad = padding(size_);
    return {lettering_.size.width() + pad.left() + pad.right(), lettering_.size.height() + pad.top() + pad.bottom()};
}

QSize TapeLabel::sizeHint() const {
    if (lettering_.glyphs.isEmpty()) return {0, 0};
    // A widget can't paint outside itself: it is as large as the turned tape with its shadow, which is
    // only a pixel or two more than the tape at the small tilts used.
    const QSizeF tape = tapeSize();
    const double turn = std::abs(tilt_) * M_PI / 180;
    const double w = tape.width() * std::cos(turn) + tape.height() * std::sin(turn);
    const double h = tape.width() * std::sin(turn) + tape.height() * std::cos(turn) + 2;
    return {static_cast<int>(std::ceil(w)), static_cast<int>(std::ceil(h))};
}

void TapeLabel::paintEvent(QPaintEvent*) {
    if (lettering_.glyphs.isEmpty()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QMarginsF pad = padding(size_);
    const QRectF tape(QPointF(0, 0), tapeSize());
    // Turn about the centre of the widget; the layout keeps the unturned size.
    painter.translate(QRectF(rect()).center());
    painter.rotate(tilt_);
    painter.translate(-tape.center());

    const QPainterPath shape = TapeLettering::tapeShape(tape);
    painter.fillPath(shape.translated(0, 1), Theme::opacity(Qt::black, 0.35));  // hard shadow, tape only
    painter.fillPath(shape, Theme::accent());

    painter.translate(pad.left(), pad.top());
    painter.fillPath(lettering_.glyphs, Theme::onAccent());
    QPen slash(Theme::onAccent(), 0.065 * size_, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin);
    slash.setMiterLimit(10);
    painter.strokePath(lettering_.slashes, slash);
}

}  // namespace quillane
