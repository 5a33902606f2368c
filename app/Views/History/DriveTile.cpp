#include "Views/History/DriveTile.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <cmath>

#include "Views/Kit/Fonts.h"
#include "Views/Kit/Symbols.h"
#include "Views/Kit/Theme.h"

namespace quillane {
namespace {

constexpr double tilePadX = 12, tilePadY = 9, tileGap = 10, dotGap = 6, dotSide = 6, lineGap = 1;
constexpr double longestLabel = 220;

QFont labelFont() { return Fonts::text(12.5, QFont::DemiBold); }
QFont detailFont() { return Fonts::text(11); }
double symbolSide() { return Symbols::side(14); }

}  // namespace

DriveTile::DriveTile(ProjectOverviewLook::DriveTile look, QWidget* parent) : QWidget(parent), look_(std::move(look)) {
    setObjectName("driveTile");
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(QString::fromStdString(look_.label));
}

void DriveTile::setLook(ProjectOverviewLook::DriveTile look) {
    if (look == look_) return;
    look_ = std::move(look);
    setAccessibleName(QString::fromStdString(look_.label));
    updateGeometry();
    update();
}

QString DriveTile::shownLabel() const {
    return QFontMetricsF(labelFont()).elidedText(QString::fromStdString(look_.label), Qt::ElideMiddle, longestLabel);
}

QSize DriveTile::sizeHint() const {
    const QFontMetricsF label(labelFont()), detail(detailFont());
    const double first = label.horizontalAdvance(shownLabel()) + dotGap + dotSide;
    const double second = detail.horizontalAdvance(QString::fromStdString(look_.detail));
    const double width = tilePadX * 2 + symbolSide() + tileGap + std::max(first, second);
    const double height = tilePadY * 2 + label.height() + lineGap + detail.height();
    return QSize(static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height)));
}

QRectF DriveTile::dotRect() const {
    const QFontMetricsF label(labelFont());
    const double x = tilePadX + symbolSide() + tileGap + label.horizontalAdvance(shownLabel()) + dotGap;
    const double lineTop = (height() - (label.height() + lineGap + QFontMetricsF(detailFont()).height())) / 2;
    return QRectF(x, lineTop + (label.height() - dotSide) / 2, dotSide, dotSide);
}

void DriveTile::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Theme::stroke(), 1));
    painter.setBrush(Theme::card());
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);

    const double side = symbolSide();
    Symbols::paint(painter, QRectF(tilePadX, (height() - side) / 2, side, side), "externaldrive.fill", Theme::secondary());

    const QFontMetricsF label(labelFont()), detail(detailFont());
    const double x = tilePadX + side + tileGap;
    const double top = (height() - (label.height() + lineGap + detail.height())) / 2;
    painter.setFont(labelFont());
    painter.setPen(Theme::text());
    painter.drawText(QRectF(x, top, width() - x, label.height()), Qt::AlignLeft | Qt::AlignVCenter, shownLabel());
    painter.setPen(Qt::NoPen);
    painter.setBrush(look_.connected ? Theme::accent() : Theme::tertiary());
    painter.drawEllipse(dotRect());
    painter.setFont(detailFont());
    painter.setPen(Theme::tertiary());
    painter.drawText(QRectF(x, top + label.height() + lineGap, width() - x, detail.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(look_.detail));
}

bool DriveTile::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        // Only the dot has a tool tip.
        if (dotRect().adjusted(-4, -4, 4, 4).contains(help->pos()))
            QToolTip::showText(help->globalPos(), QString::fromStdString(look_.dotToolTip), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

}  // namespace quillane
