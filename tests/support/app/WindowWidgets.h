#pragma once
#include <QList>
#include <QString>
#include <QWidget>

namespace quillane::testing {

// The running application's widgets as a user meets them: found by object name among the shown
// widgets of every top-level window (a window itself included), clicked as the mouse does, read
// as they show their text.

// The first shown widget of that name, in creation order; null when none is shown.
QWidget* findWidget(const QString& name);
template <typename T>
T* find(const QString& name) {
    return qobject_cast<T*>(findWidget(name));
}
// Every shown widget of that name.
QList<QWidget*> findWidgets(const QString& name);

// Clicks the widget's centre and lets the click's events run; false when it is missing, hidden or
// disabled, or still has no size after a wait.
bool click(QWidget* widget);
bool click(const QString& name);

// The text of a label-like widget (QLabel, TextLabel, TextLine, TapeLabel, a button, QLineEdit).
QString textOf(const QWidget* widget);

}  // namespace quillane::testing
