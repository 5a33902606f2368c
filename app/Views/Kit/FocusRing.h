#pragma once
#include <QObject>

class QPainter;
class QPainterPath;
class QRectF;
class QWidget;

namespace quillane {

// The theme's focus mark on a control the kit paints: the accent ring a text field shows while it
// has the focus. It is shown only while the keyboard gave the control the focus (Tab, Shift+Tab), so a
// click never leaves a ring behind; a window or a menu that takes the keyboard away and gives it
// back keeps what the control showed.
//   FocusRing ring_{*this};  …  if (ring_.isShown()) FocusRing::paint(painter, rect(), 9);
class FocusRing : public QObject {
    Q_OBJECT
public:
    explicit FocusRing(QWidget& control);

    bool isShown() const;
    // The ring a control shows, if it has one.
    static const FocusRing* of(const QWidget& control);

    // The ring along the inside of `bounds` (a rounded rectangle), or along a shape.
    static void paint(QPainter& painter, const QRectF& bounds, double radius);
    static void paint(QPainter& painter, const QPainterPath& shape);
    // How far the ring reaches in from the edge: a control that shows it moves its own fill in by this.
    static constexpr double width = 2;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& control_;
    bool keyboard_ = false;
};

}  // namespace quillane
