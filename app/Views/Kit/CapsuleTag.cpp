#include "Views/Kit/CapsuleTag.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

#include "Views/Kit/Symbols.h"

namespace quillane {

QSizeF CapsuleTag::size() const {
    const double symbolWidth = symbol.isEmpty() ? 0 : symbolSide + spacing;
    return {std::ceil(paddingX * 2 + symbolWidth + QFontMetricsF(font).horizontalAdvance(text)), height};
}

void CapsuleTag::paint(QPainter& painter, QPointF origin) const {
    const QRectF rect(origin, size());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(rect, height / 2, height / 2);
    double x = rect.left() + paddingX;
    if (!symbol.isEmpty()) {
        Symbols::paint(painter, QRectF(x, rect.center().y() - symbolSide / 2, symbolSide, symbolSide), symbol, color,
                       QFont::Bold);
        x += symbolSide + spacing;
    }
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(QRectF(x, rect.top(), rect.right() - x, height), Qt::AlignLeft | Qt::AlignVCenter, text);
    painter.restore();
}

CapsuleTagView::CapsuleTagView(QWidget* parent) : QWidget(parent) { setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed); }

void CapsuleTagView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const CapsuleTag shown = tag();
    const QSizeF extent = shown.size();
    shown.paint(painter, QPointF((width() - extent.width()) / 2, (height() - extent.height()) / 2));
}

}  // namespace quillane
