#pragma once
#include <QAbstractButton>

namespace quillane {

// The base of every button the kit paints itself: it tracks hover, takes no keyboard focus and
// leaves pressed, disabled and activation to QAbstractButton (clicked, shortcuts, setDown).
// A subclass only paints, reading isHovered(), isDown() and isEnabled().
class PaintedButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit PaintedButton(QWidget* parent = nullptr);

    bool isHovered() const { return hovered_; }

signals:
    void hoverChanged(bool hovered);

protected:
    bool event(QEvent* event) override;

private:
    void setHovered(bool hovered);

    bool hovered_ = false;
};

}  // namespace quillane
