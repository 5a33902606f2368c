#include "Views/Kit/FocusOrder.h"

#include <QApplication>
#include <QScrollArea>
#include <QWidget>

namespace quillane::FocusOrder {

namespace {

// Whether `a` is read before `b`, two children of one widget.
bool readBefore(const QWidget* a, const QWidget* b) {
    const QRect ra = a->geometry(), rb = b->geometry();
    if (ra.bottom() < rb.top()) return true;
    if (rb.bottom() < ra.top()) return false;
    if (ra.left() != rb.left()) return ra.left() < rb.left();
    return ra.top() < rb.top();
}

bool isStop(const QWidget* widget) {
    return (widget->focusPolicy() & Qt::TabFocus) != 0 && widget->isEnabled() && widget->focusProxy() == nullptr &&
           qobject_cast<const QScrollArea*>(widget) == nullptr && !widget->size().isEmpty();
}

// `also`: a control that keeps its place in the order though it is no stop (the focused control
// that was just disabled), so the focus moves on from where it was.
void collect(const QWidget& parent, QList<QWidget*>& stops, const QWidget* also = nullptr) {
    QList<QWidget*> children;
    for (QObject* child : parent.children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget == nullptr || widget->isWindow() || !widget->isVisible()) continue;
        // Inserted in place: the order is not a strict weak one (side by side is not transitive).
        qsizetype at = children.size();
        while (at > 0 && readBefore(widget, children[at - 1])) --at;
        children.insert(at, widget);
    }
    for (QWidget* child : children) {
        if (isStop(child) || child == also) stops << child;
        collect(*child, stops, also);
    }
}

}  // namespace

QList<QWidget*> stops(const QWidget& root) {
    QList<QWidget*> found;
    collect(root, found);
    return found;
}

bool move(QWidget& root, bool next) {
    QWidget* focused = QApplication::focusWidget();
    QList<QWidget*> order;
    collect(root, order, focused);
    const qsizetype current = order.indexOf(focused);
    if (current >= 0 && !isStop(focused) && order.size() == 1) return false;
    if (order.isEmpty()) return false;
    qsizetype target = 0;
    if (current < 0) target = next ? 0 : order.size() - 1;
    else target = (current + (next ? 1 : order.size() - 1)) % order.size();
    QWidget* stop = order[target];
    if (stop == focused && !isStop(focused)) return false;
    stop->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    for (QWidget* up = stop->parentWidget(); up != nullptr && up != &root; up = up->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(up)) area->ensureWidgetVisible(stop);
    return true;
}

}  // namespace quillane::FocusOrder
