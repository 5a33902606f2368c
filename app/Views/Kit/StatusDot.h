#pragma once
#include <QColor>
#include <QWidget>

namespace quillane {

// A 6 × 6 filled circle.
class StatusDot : public QWidget {
    Q_OBJECT
public:
    explicit StatusDot(const QColor& color, QWidget* parent = nullptr);
    void setColor(const QColor& color);
    const QColor& color() const { return color_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_;
};

}  // namespace quillane
