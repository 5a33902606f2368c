#pragma once
#include <QDialog>
#include <QPointer>

#include "Views/Kit/StyledButton.h"

class QHBoxLayout;

namespace quillane {

// The app's alert: a title, a message that wraps, and its buttons at the bottom right on the
// raised card colour. The primary button is the default (it has the focus when the alert opens, and
// Return chooses it); the escape button answers Escape and closing the window. The first button chosen closes the box and is reported once.
//   auto* box = new AlertBox(title, message, window);
//   box->addButton(L("Toch stoppen", "Quit anyway"), false, "quitAnyway");
//   box->setEscapeButton(box->addButton(L("Doorgaan", "Continue"), true, "continue"));
class AlertBox : public QDialog {
    Q_OBJECT
public:
    AlertBox(const QString& title, const QString& message, QWidget* parent = nullptr);

    // A mark (the program's icon) at the left of the title and message, as in an About box.
    void setMark(QWidget* mark);
    // Buttons line up left to right in the order added; a primary one becomes the default.
    StyledButton* addButton(const QString& text, bool primary, const char* objectName);
    void setEscapeButton(StyledButton* button) { escape_ = button; }

public slots:
    void reject() override;

signals:
    void chosen(StyledButton* button);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void choose(StyledButton* button);

    QHBoxLayout* texts_;
    QHBoxLayout* buttons_;
    class DialogFocus* keys_;
    QPointer<StyledButton> default_;
    QPointer<StyledButton> escape_;
    bool chosen_ = false;
};

}  // namespace quillane
