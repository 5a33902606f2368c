#pragma once
#include "Views/Kit/PaintedButton.h"
#include "Views/StructureEditor/StructureChoices.h"

namespace quillane {

// A selectable card of the structure tab: title with a check mark, an example path and a short
// description, on a card that lights up when selected and rises while hovered.
class ChoiceCard : public PaintedButton {
    Q_OBJECT
public:
    explicit ChoiceCard(QWidget* parent = nullptr);
    void setChoice(const StructureChoice& choice);
    const StructureChoice& choice() const { return choice_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    StructureChoice choice_;
};

}  // namespace quillane
