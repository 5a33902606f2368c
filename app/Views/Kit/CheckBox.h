#pragma once
#include "Views/Kit/PaintedButton.h"

namespace quillane {

// A check box in the theme (18 × 18): a rounded square with a clear border when off, filled with
// the accent and a check mark when on. Checkable; react to the user with `clicked(bool)`
// (setChecked from the model emits no clicked, so refreshing never writes back).
class CheckBox : public PaintedButton {
    Q_OBJECT
public:
    explicit CheckBox(QWidget* parent = nullptr);

    QSize sizeHint() const override { return {18, 18}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace quillane
