#pragma once
#include <QObject>
#include <QPointer>

class QAbstractButton;
class QDialog;
class QWidget;

namespace quillane {

// The keyboard of a sheet or an alert: it opens on its default button (or on the control given as
// the first, such as a name to type), Return and Enter click the default button wherever the focused
// control leaves them, Escape is the dialog's own reject(), and when it closes its window gets the
// keyboard back, on the control that had it (a desktop without a window manager gives it to no one).
//   auto* keys = new DialogFocus(*sheet);  keys->setDefaultButton(confirm);
class DialogFocus : public QObject {
public:
    explicit DialogFocus(QDialog& dialog);

    void setDefaultButton(QAbstractButton* button) { default_ = button; }
    void setFirst(QWidget* control) { first_ = control; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void opened();
    void closed();

    QDialog& dialog_;
    QPointer<QAbstractButton> default_;
    QPointer<QWidget> first_;
    QPointer<QWidget> previous_;
};

}  // namespace quillane
