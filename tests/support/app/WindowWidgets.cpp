#include "support/app/WindowWidgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include "Views/Kit/TapeLabel.h"
#include "Views/Kit/TextLabel.h"
#include "Views/Kit/TextLine.h"

namespace quillane::testing {

QList<QWidget*> findWidgets(const QString& name) {
    QList<QWidget*> found;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible()) continue;
        if (top->objectName() == name) found << top;
        for (QWidget* widget : top->findChildren<QWidget*>(name))
            if (widget->isVisible()) found << widget;
    }
    return found;
}

QWidget* findWidget(const QString& name) {
    const QList<QWidget*> found = findWidgets(name);
    return found.isEmpty() ? nullptr : found.front();
}

bool click(QWidget* widget) {
    if (widget == nullptr || !widget->isVisible() || !widget->isEnabled()) return false;
    // A crew member can only click what has a size on screen. A widget still laid out at no size (in a
    // window the window system has not sized yet) would swallow the click without a word, so wait for
    // its size; without one the click fails.
    const QPointer<QWidget> target = widget;
    if (!QTest::qWaitFor([&] { return target.isNull() || !target->rect().isEmpty(); }, 10000) || target.isNull()) return false;
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    QCoreApplication::processEvents();
    return true;
}

bool click(const QString& name) { return click(findWidget(name)); }

QString textOf(const QWidget* widget) {
    if (widget == nullptr) return {};
    if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
    if (auto* label = qobject_cast<const TextLabel*>(widget)) return label->text();
    if (auto* line = qobject_cast<const TextLine*>(widget)) return line->text();
    if (auto* tape = qobject_cast<const TapeLabel*>(widget)) return tape->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(widget)) return edit->text();
    return {};
}

}  // namespace quillane::testing
