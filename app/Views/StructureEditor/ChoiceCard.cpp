#include "Views/StructureEditor/ChoiceCard.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

#include "Views/Kit/Fonts.h"
#include "Views/Kit/Symbols.h"
#include "Views/Kit/Theme.h"

namespace quillane {

namespace {

constexpr double pad = 14;
constexpr double gap = 6;

QFont titleFont() { return Fonts::text(14, QFont::DemiBold); }
QFont pathFont() { return Fonts::mono(11); }
QFont detailFont() { return Fonts::text(11.5); }

// Lays the text out in lines of the given width, as many as it takes.
QStringList wrappedLines(const QString& text, const QFont& font, double width) {
    QStringList lines;
    QTextLayout layout(text, font);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << text.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines;
}

}  // namespace

ChoiceCard::ChoiceCard(QWidget* parent) : PaintedButton(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    connect(this, &PaintedButton::hoverChanged, this, qOverload<>(&QWidget::update));
}

void ChoiceCard::setChoice(const StructureChoice& choice) {
    choice_ = choice;
    setObjectName(QString::fromStdString("choice-" + choice.key));
    setAccessibleName(QString::fromStdString(choice.title));
    updateGeometry();
    update();
}

int ChoiceCard::heightForWidth(int width) const {
    const double inner = std::max(1.0, width - 2 * pad);
    const double lines = wrappedLines(QString::fromStdString(choice_.detail), detailFont(), inner).size();
    const double height = 2 * pad + QFontMetricsF(titleFont()).height() + gap + QFontMetricsF(pathFont()).height() +
                          gap + lines * QFontMetricsF(detailFont()).lineSpacing();
    return std::max(100, static_cast<int>(std::ceil(height)));
}

QSize ChoiceCard::sizeHint() const { return {220, heightForWidth(220)}; }
QSize ChoiceCard::minimumSizeHint() const {
    // Title and example path whole; where the row is narrower, the cards stand one under the other.
    const double title = QFontMetricsF(titleFont()).horizontalAdvance(QString::fromStdString(choice_.title)) + 6 +
                         Symbols::side(14);
    const double path = QFontMetricsF(pathFont()).horizontalAdvance(QString::fromStdString(choice_.path));
    return {static_cast<int>(std::ceil(std::max({120.0, title, path}) + 2 * pad)), 100};
}

void ChoiceCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool selected = choice_.selected;
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setBrush(selected ? Theme::opacity(Theme::accent(), 0.07) : isHovered() ? Theme::cardRaised() : Theme::card());
    painter.setPen(QPen(selected ? Theme::opacity(Theme::accent(), 0.6) : Theme::stroke(), 1));
    painter.drawRoundedRect(frame, 12, 12);

    const double inner = width() - 2 * pad;
    double y = pad;
    const QFontMetricsF titleMetrics(titleFont());
    const double side = Symbols::side(14);
    painter.setFont(titleFont());
    painter.setPen(Theme::text());
    painter.drawText(QRectF(pad, y, inner - side - 6, titleMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     titleMetrics.elidedText(QString::fromStdString(choice_.title), Qt::ElideRight, inner - side - 6));
    Symbols::paint(painter, QRectF(width() - pad - side, y + (titleMetrics.height() - side) / 2, side, side),
                   selected ? QStringLiteral("checkmark.circle.fill") : QStringLiteral("circle"),
                   selected ? Theme::accent() : Theme::tertiary());
    y += titleMetrics.height() + gap;

    const QFontMetricsF pathMetrics(pathFont());
    painter.setFont(pathFont());
    painter.setPen(selected ? Theme::accent() : Theme::secondary());
    painter.drawText(QRectF(pad, y, inner, pathMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     pathMetrics.elidedText(QString::fromStdString(choice_.path), Qt::ElideMiddle, inner));
    y += pathMetrics.height() + gap;

    const QFontMetricsF detailMetrics(detailFont());
    painter.setFont(detailFont());
    painter.setPen(Theme::tertiary());
    for (const QString& line : wrappedLines(QString::fromStdString(choice_.detail), detailFont(), inner)) {
        painter.drawText(QRectF(pad, y, inner, detailMetrics.lineSpacing()), Qt::AlignLeft | Qt::AlignVCenter, line);
        y += detailMetrics.lineSpacing();
    }
}

}  // namespace quillane
