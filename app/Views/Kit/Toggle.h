#pragma once
#include "Views/Kit/PaintedButton.h"

namespace quillane {

// An on/off switch (36 × 20): accent track with the knob right when on. Checkable; react to the user
// with `clicked(bool)` (setChecked from the model emits no clicked, so refreshing never writes back).
class Toggle : public PaintedButton {
    Q_OBJECT
public:
    explicit Toggle(QWidget* parent = nullptr);

    QSize sizeHint() const override { return {36, 20}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace quillane
