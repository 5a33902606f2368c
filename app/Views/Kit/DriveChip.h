#pragma once
#include <QWidget>

#include <string>

class QPainter;

namespace quillane {

// One drive name on a card's row: plain for a verified copy, red with a cross for a failed one.
struct DriveChipLook {
    std::string text;
    bool failed = false;
    std::string toolTip;
    friend bool operator==(const DriveChipLook&, const DriveChipLook&) = default;
};

DriveChipLook driveChipLook(const std::string& name, bool failed);

// The chip as a widget, with its tool tip; lists that paint their rows themselves use size()
// and paint() instead.
class DriveChip : public QWidget {
    Q_OBJECT
public:
    explicit DriveChip(DriveChipLook look = {}, QWidget* parent = nullptr);
    void setLook(DriveChipLook look);
    const DriveChipLook& look() const { return look_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    static QSizeF size(const DriveChipLook& look);
    // Draws the capsule with its top-left corner at origin.
    static void paint(QPainter& painter, QPointF origin, const DriveChipLook& look);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DriveChipLook look_;
};

}  // namespace quillane
