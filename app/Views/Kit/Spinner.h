#pragma once
#include <QColor>
#include <QTimer>
#include <QWidget>

namespace quillane {

// A small activity indicator: spokes fading round a circle. It turns while shown and animations are
// on; with animations off it draws one still frame.
class Spinner : public QWidget {
    Q_OBJECT
public:
    explicit Spinner(double side = 12, const QColor& color = {}, QWidget* parent = nullptr);
    void setColor(const QColor& color);
    int frame() const { return frame_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QColor color_;
    QTimer timer_;
    int frame_ = 0;
};

}  // namespace quillane
