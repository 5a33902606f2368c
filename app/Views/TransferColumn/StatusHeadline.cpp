#include "Views/TransferColumn/StatusHeadline.h"

#include <QFontMetricsF>
#include <QPainter>

#include "Model/AppModel.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/Symbols.h"
#include "Views/Kit/Theme.h"
#include "Views/Kit/Tone.h"
#include "Views/TransferColumn/ColumnInputs.h"

namespace quillane {
namespace {

constexpr int headlineHeight = 64;
constexpr double lineSpacing = 4;
constexpr double symbolGap = 8;

QFont secondFont() { return Fonts::text(12); }

}  // namespace

StatusHeadline::StatusHeadline(AppModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName(QStringLiteral("statusHeadline"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    refresh();
}

void StatusHeadline::refresh() {
    StatusHeadlineLook content = statusHeadline(statusHeadlineInput(model_));
    if (content == content_ && !content_.first.empty()) return;
    const bool resize = content.style != content_.style || content.first.size() != content_.first.size();
    content_ = std::move(content);
    setAccessibleName(QString::fromStdString(content_.first));
    if (resize) updateGeometry();
    update();
}

QFont StatusHeadline::firstFont() const {
    switch (content_.style) {
        case HeadlineStyle::number: return Fonts::expanded(Fonts::text(34, QFont::ExtraBold));
        case HeadlineStyle::ready: return Fonts::text(20, QFont::Medium);
        case HeadlineStyle::outcome: return Fonts::expanded(Fonts::text(26, QFont::ExtraBold));
        case HeadlineStyle::failure: return Fonts::text(24, QFont::DemiBold);
    }
    return Fonts::text(20);
}

QSize StatusHeadline::sizeHint() const {
    const QFontMetricsF metrics(firstFont());
    double width = metrics.horizontalAdvance(QString::fromStdString(content_.first));
    if (!content_.symbol.empty()) width += Symbols::side(Fonts::pixelSize(firstFont())) + symbolGap;
    if (content_.second)
        width = std::max(width, QFontMetricsF(secondFont()).horizontalAdvance(QString::fromStdString(*content_.second)));
    return {static_cast<int>(std::ceil(width)) + 2, headlineHeight};
}

QSize StatusHeadline::minimumSizeHint() const { return {80, headlineHeight}; }

void StatusHeadline::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    const QFont first = firstFont();
    const QFontMetricsF firstMetrics(first);
    const QFont second = secondFont();
    const QFontMetricsF secondMetrics(second);
    const QString secondText = content_.second ? QString::fromStdString(*content_.second) : QString();

    // The paused detail may wrap over two centred lines; other second lines stay on one line,
    // elided in the middle (an engine's error text can be long).
    const bool wraps = content_.style == HeadlineStyle::outcome && content_.tone == Tone::warning;
    const double available = width();
    QRectF secondBounds;
    if (content_.second) {
        secondBounds = wraps ? secondMetrics.boundingRect(QRectF(0, 0, available, headlineHeight),
                                                          Qt::AlignHCenter | Qt::TextWordWrap, secondText)
                             : QRectF(0, 0, available, secondMetrics.height());
        secondBounds.setHeight(std::min(secondBounds.height(), 2 * secondMetrics.lineSpacing()));
    }
    const double blockHeight = firstMetrics.height() + (content_.second ? lineSpacing + secondBounds.height() : 0);
    double y = (headlineHeight - blockHeight) / 2;

    // First line: the symbol (when there is one) and the text, centred together.
    const QString firstText = firstMetrics.elidedText(QString::fromStdString(content_.first), Qt::ElideRight,
                                                      available - (content_.symbol.empty() ? 0 : 40));
    const double symbolSide = content_.symbol.empty() ? 0 : Symbols::side(Fonts::pixelSize(first));
    const double lineWidth = firstMetrics.horizontalAdvance(firstText) + (symbolSide > 0 ? symbolSide + symbolGap : 0);
    double x = (available - lineWidth) / 2;
    const QColor color = toneColor(content_.tone);
    if (symbolSide > 0) {
        const QRectF symbolRect(x, y + (firstMetrics.height() - symbolSide) / 2, symbolSide, symbolSide);
        Symbols::paint(painter, symbolRect, QString::fromStdString(content_.symbol), color, QFont::Bold);
        x += symbolSide + symbolGap;
    }
    painter.setFont(first);
    painter.setPen(color);
    painter.drawText(QPointF(x, y + firstMetrics.ascent()), firstText);
    y += firstMetrics.height() + lineSpacing;

    if (!content_.second) return;
    painter.setFont(second);
    painter.setPen(Theme::secondary());
    const QRectF secondRect(0, y, available, secondBounds.height());
    if (wraps)
        painter.drawText(secondRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, secondText);
    else
        painter.drawText(secondRect, Qt::AlignHCenter | Qt::AlignTop,
                         secondMetrics.elidedText(secondText, Qt::ElideMiddle, available));
}

}  // namespace quillane
