#include "Views/Kit/FocusRing.h"

#include <QFocusEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

#include "Views/Kit/Theme.h"

namespace quillane {

FocusRing::FocusRing(QWidget& control) : QObject(&control), control_(control) { control.installEventFilter(this); }

bool FocusRing::isShown() const { return keyboard_ && control_.hasFocus(); }

const FocusRing* FocusRing::of(const QWidget& control) {
    return control.findChild<const FocusRing*>(QString(), Qt::FindDirectChildrenOnly);
}

void FocusRing::paint(QPainter& painter, const QRectF& bounds, double radius) {
    QPainterPath shape;
    shape.addRoundedRect(bounds, radius, radius);
    paint(painter, shape);
}

void FocusRing::paint(QPainter& painter, const QPainterPath& shape) {
    // Stroked along the inside of the shape: a control's edge is often its widget's edge.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipPath(shape, Qt::IntersectClip);
    painter.setPen(QPen(Theme::opacity(Theme::accent(), 0.6), 2 * width));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);
    painter.restore();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &control_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        if (event->type() == QEvent::FocusIn) {
            switch (static_cast<QFocusEvent*>(event)->reason()) {
            case Qt::TabFocusReason:
            case Qt::BacktabFocusReason:
                // A dialog announces its first control with a Tab reason before its window has the
                // keyboard: only a control that really has the focus was reached by Tab.
                keyboard_ = control_.hasFocus();
                break;
            case Qt::ActiveWindowFocusReason:
            case Qt::PopupFocusReason: break;  // the keyboard comes back: as it was
            default: keyboard_ = false; break;
            }
        }
        control_.update();
    }
    return false;
}

}  // namespace quillane
