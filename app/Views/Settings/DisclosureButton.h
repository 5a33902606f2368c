#pragma once
#include <QString>

#include "Views/Kit/PaintedButton.h"

namespace quillane {

// The title of a group that folds: a chevron (turned down while open) and the title. Checkable:
// `toggled(bool)` says whether the group is open.
class DisclosureButton : public PaintedButton {
    Q_OBJECT
    Q_PROPERTY(qreal turn READ turn WRITE setTurn)
public:
    explicit DisclosureButton(const QString& title, QWidget* parent = nullptr);

    qreal turn() const { return turn_; }
    void setTurn(qreal degrees);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal turn_ = 0;
};

}  // namespace quillane
