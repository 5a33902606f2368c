#pragma once
#include <QAbstractButton>
#include <QPainterPath>

#include "Views/Kit/FocusRing.h"

namespace quillane {

// The base of every button the kit paints itself: it tracks hover, takes the focus with Tab (not
// with a click), acts on Space, Return and Enter, and draws the theme's focus ring over what the
// subclass painted while the keyboard gave it the focus. Pressed, disabled and activation stay with
// QAbstractButton (clicked, shortcuts, setDown). A subclass only paints, reading isHovered(), isDown()
// and isEnabled(), and may give the ring its own outline.
class PaintedButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit PaintedButton(QWidget* parent = nullptr);

    bool isHovered() const { return hovered_; }
    bool focusRingShown() const { return ring_.isShown(); }

signals:
    void hoverChanged(bool hovered);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The outline the ring follows; a rounded rectangle on the widget's edge unless a subclass says.
    virtual QPainterPath focusRingShape() const;

private:
    void setHovered(bool hovered);

    FocusRing ring_{*this};
    bool hovered_ = false;
};

}  // namespace quillane
