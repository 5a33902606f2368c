#include "Views/Kit/PaintedButton.h"

#include <QEvent>

namespace quillane {

PaintedButton::PaintedButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::ArrowCursor);
}

bool PaintedButton::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::HoverEnter: setHovered(true); break;
    case QEvent::HoverLeave: setHovered(false); break;
    case QEvent::Hide: setHovered(false); break;
    default: break;
    }
    return QAbstractButton::event(event);
}

void PaintedButton::setHovered(bool hovered) {
    if (hovered_ == hovered) return;
    hovered_ = hovered;
    update();
    emit hoverChanged(hovered);
}

}  // namespace quillane
