#include "Views/Kit/PaintedButton.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace quillane {

PaintedButton::PaintedButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::ArrowCursor);
}

bool PaintedButton::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::HoverEnter: setHovered(true); break;
    case QEvent::HoverLeave: setHovered(false); break;
    case QEvent::Hide: setHovered(false); break;
    case QEvent::Paint: {
        // The subclass paints first; the ring lies over its edge.
        const bool handled = QAbstractButton::event(event);
        if (ring_.isShown()) {
            QPainter painter(this);
            FocusRing::paint(painter, focusRingShape());
        }
        return handled;
    }
    default: break;
    }
    return QAbstractButton::event(event);
}

void PaintedButton::keyPressEvent(QKeyEvent* event) {
    // Space is QAbstractButton's (pressed while held, clicked on release); Return and Enter click at once.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !event->isAutoRepeat() &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

QPainterPath PaintedButton::focusRingShape() const {
    const QRectF bounds(rect());
    const double radius = std::min(8.0, bounds.height() / 2);
    QPainterPath shape;
    shape.addRoundedRect(bounds, radius, radius);
    return shape;
}

void PaintedButton::setHovered(bool hovered) {
    if (hovered_ == hovered) return;
    hovered_ = hovered;
    update();
    emit hoverChanged(hovered);
}

}  // namespace quillane
