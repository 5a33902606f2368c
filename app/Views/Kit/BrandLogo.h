#pragma once
#include <QWidget>

class QPainter;

namespace quillane {

// The product mark: a dark rounded square with a memory card and an accent check badge, `size` square.
class BrandLogo : public QWidget {
    Q_OBJECT
public:
    explicit BrandLogo(double size, QWidget* parent = nullptr);

    // Draws the mark into a square of `size` at the painter's origin (used by the widget and snapshots).
    static void paint(QPainter& painter, double size);
    // The mark's SVG among the bundled resources; the same file is installed as the application icon.
    static QString resource();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double size_;
};

}  // namespace quillane
