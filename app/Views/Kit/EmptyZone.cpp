#include "Views/Kit/EmptyZone.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include "Views/Kit/Fonts.h"
#include "Views/Kit/SymbolView.h"
#include "Views/Kit/TextLabel.h"
#include "Views/Kit/Theme.h"

namespace quillane {

EmptyZone::EmptyZone(const QString& symbol, const QString& title, const QString& subtitle, QWidget* parent)
    : QWidget(parent) {
    // As tall as its content, at least 190: never stretched by the room its column has left, so the
    // empty zones of two columns are alike.
    setMinimumHeight(190);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(24, 24, 24, 24);
    stack->setSpacing(10);
    symbol_ = new SymbolView(symbol, 30, Theme::tertiary(), QFont::Light);
    title_ = new TextLabel(title, Fonts::text(13, QFont::Medium), Theme::secondary());
    title_->setObjectName(QStringLiteral("emptyTitle"));
    title_->setAlignment(Qt::AlignCenter);
    subtitle_ = wrappingLabel(subtitle, Fonts::text(11.5), Theme::tertiary(), Qt::AlignHCenter | Qt::AlignTop);
    subtitle_->setObjectName(QStringLiteral("emptySubtitle"));
    stack->addStretch(1);
    stack->addWidget(symbol_, 0, Qt::AlignHCenter);
    stack->addWidget(title_);
    stack->addWidget(subtitle_);
    stack->addStretch(1);
}

void EmptyZone::setContent(const QString& symbol, const QString& title, const QString& subtitle) {
    symbol_->setSymbol(symbol);
    title_->setText(title);
    subtitle_->setText(subtitle);
}

void EmptyZone::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double width = 1.2;
    QPen pen(Theme::stroke(), width);
    pen.setDashPattern({6 / width, 5 / width});  // dash lengths are in units of the pen width
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QRectF inside = QRectF(rect()).adjusted(width / 2, width / 2, -width / 2, -width / 2);
    painter.drawRoundedRect(inside, 14 - width / 2, 14 - width / 2);
}

}  // namespace quillane
