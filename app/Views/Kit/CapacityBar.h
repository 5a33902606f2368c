#pragma once
#include <QColor>
#include <QWidget>

#include <optional>

namespace quillane {

// Where the capacity bar's capsules lie along a bar `width` wide (x from the leading edge).
struct CapacityBarGeometry {
    double usedWidth = 0;  // from x = 0; at least 2
    struct Span {
        double x = 0;
        double width = 0;
        bool operator==(const Span&) const = default;
    };
    std::optional<Span> reserved;  // only when reserved > 0; may reach past the track's end
    bool operator==(const CapacityBarGeometry&) const = default;
};

// used and reserved are fractions of the drive; at or above 1 a part fills the track, and a part is
// never narrower than 2. The reserved part starts where the used part ends. NaN counts as 0.
CapacityBarGeometry capacityBarGeometry(double used, double reserved, double width);

// A drive's fill level: a 4 px capsule track (white at 7 %), the used part in the tint at 55 %, and
// the reserved part in the accent at 85 %. The caller chooses the tint.
class CapacityBar : public QWidget {
    Q_OBJECT
public:
    CapacityBar(double used, double reserved, const QColor& tint, QWidget* parent = nullptr);

    void setValues(double used, double reserved, const QColor& tint);
    double used() const { return used_; }
    double reserved() const { return reserved_; }

    QSize sizeHint() const override { return {120, 4}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double used_;
    double reserved_;
    QColor tint_;
};

}  // namespace quillane
