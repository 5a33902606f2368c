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
    lettering_ = lettering(text_, size_);
    updateGeometry();
    update();
}

TapeLettering::Layout TapeLabel::lettering(const QString& text, double size) {
    QString shown = text;
    if (shown.size() > maximumCharacters) shown = shown.left(maximumCharacters - 1) + QStringLiteral("…");
    return TapeLettering::layout(shown, size);
}

namespace {
QSizeF tapeSize(const TapeLettering::Layout& lettering, double size) {
    const QMarginsF pad = TapeLabel::padding(size);
    return {lettering.size.width() + pad.left() + pad.right(), lettering.size.height() + pad.top() + pad.bottom()};
}
}  // namespace

QSize TapeLabel::boxSize(const TapeLettering::Layout& lettering, double size, double tilt) {
    if (lettering.glyphs.isEmpty()) return {0, 0};
    // A widget can't paint outside itself: it is as large as the turned tape with its shadow, which is
    // only a pixel or two more than the tape at the small tilts used.
    const QSizeF tape = tapeSize(lettering, size);
    const double turn = std::abs(tilt) * M_PI / 180;
    const double w = tape.width() * std::cos(turn) + tape.height() * std::sin(turn);
    const double h = tape.width() * std::sin(turn) + tape.height() * std::cos(turn) + 2;
    return {static_cast<int>(std::ceil(w)), static_cast<int>(std::ceil(h))};
}

QSize TapeLabel::sizeHint() const { return boxSize(lettering_, size_, tilt_); }

void TapeLabel::paint(QPainter& painter, const QRectF& box, const TapeLettering::Layout& lettering, double size,
                      double tilt) {
    if (lettering.glyphs.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QMarginsF pad = padding(size);
    const QRectF tape(QPointF(0, 0), tapeSize(lettering, size));
    // Turn about the centre of the box; the layout keeps the unturned size.
    painter.translate(box.center());
    painter.rotate(tilt);
    painter.translate(-tape.center());

    const QPainterPath shape = TapeLettering::tapeShape(tape);
    painter.fillPath(shape.translated(0, 1), Theme::opacity(Qt::black, 0.35));  // hard shadow, tape only
    painter.fillPath(shape, Theme::accent());

    painter.translate(pad.left(), pad.top());
    painter.fillPath(lettering.glyphs, Theme::onAccent());
    QPen slash(Theme::onAccent(), 0.065 * size, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin);
    slash.setMiterLimit(10);
    painter.strokePath(lettering.slashes, slash);
    painter.restore();
}

void TapeLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint(painter, QRectF(rect()), lettering_, size_, tilt_);
}

}  // namespace quillane
