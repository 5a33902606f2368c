#pragma once
#include <QList>

class QWidget;

namespace quillane::FocusOrder {

// The order in which Tab visits a window's controls: the way a page is read, whatever order the
// controls were made in (cards and rows come and go while the window is open). Among the children of
// one widget, one that lies wholly above another comes first, and of two side by side (columns, a
// row of buttons) the left one; each widget's own controls follow it before the next sibling's.
// A stop is a shown, enabled control that takes the focus with Tab; a scroll area is none (its
// controls are).

// The stops under `root`, in that order.
QList<QWidget*> stops(const QWidget& root);

// Moves the focus from the control that has it to the next (or previous) stop under `root`, round
// at the ends, scrolling it into view; false when `root` has no stop. For a root's
// focusNextPrevChild:  bool focusNextPrevChild(bool next) override { return FocusOrder::move(*this, next); }
bool move(QWidget& root, bool next);

}  // namespace quillane::FocusOrder
