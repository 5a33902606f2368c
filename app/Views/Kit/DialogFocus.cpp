#include "Views/Kit/DialogFocus.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QTimer>

namespace quillane {

DialogFocus::DialogFocus(QDialog& dialog) : QObject(&dialog), dialog_(dialog) { dialog.installEventFilter(this); }

bool DialogFocus::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &dialog_) return false;
    switch (event->type()) {
    case QEvent::Show:
        if (!event->spontaneous()) opened();
        break;
    case QEvent::Hide:
        if (!event->spontaneous()) closed();
        break;
    case QEvent::KeyPress: {
        // Reaches the dialog only when the focused control did not take the key.
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && default_ &&
            default_->isVisible()) {
            if (default_->isEnabled()) default_->click();
            return true;
        }
        break;
    }
    default: break;
    }
    return false;
}

void DialogFocus::opened() {
    QWidget* focused = QApplication::focusWidget();
    if (focused != nullptr && focused->window() != &dialog_) previous_ = focused;
    QWidget* first = first_ ? first_.data() : default_.data();
    if (first != nullptr && first->isVisibleTo(&dialog_)) first->setFocus(Qt::OtherFocusReason);
    // A window manager hands a new window the keyboard; without one the dialog asks for it.
    QTimer::singleShot(0, &dialog_, [this] {
        if (dialog_.isVisible() && !dialog_.isActiveWindow()) dialog_.activateWindow();
    });
}

void DialogFocus::closed() {
    QWidget* parent = dialog_.parentWidget();
    if (parent == nullptr) return;
    // After the dialog is gone (it may delete itself on close): its window takes the keyboard again.
    QPointer<QWidget> window = parent->window();
    QPointer<QWidget> previous = previous_;
    QTimer::singleShot(0, window, [window, previous] {
        if (!window || !window->isVisible()) return;
        // Another sheet or alert of the window may have opened meanwhile: it keeps the keyboard.
        if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && modal != window) return;
        window->activateWindow();
        if (previous && previous->isVisible() && previous->isEnabled() && previous->window() == window)
            previous->setFocus(Qt::ActiveWindowFocusReason);
    });
}

}  // namespace quillane
