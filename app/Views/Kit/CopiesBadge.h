#pragma once
#include <QColor>
#include <QWidget>

#include <string>

class QPainter;

namespace quillane {

// How many drives hold a verified copy of a card, as a small capsule.
struct CopiesBadgeLook {
    enum class Tint { danger, warning, accent };
    Tint tint = Tint::danger;
    std::string symbol;
    std::string text;
    friend bool operator==(const CopiesBadgeLook&, const CopiesBadgeLook&) = default;
};

CopiesBadgeLook copiesBadgeLook(int copies);

// The badge as a widget (its tool tip is the caller's); lists that paint their rows themselves
// use size() and paint() instead.
class CopiesBadge : public QWidget {
    Q_OBJECT
public:
    explicit CopiesBadge(int copies = 0, QWidget* parent = nullptr);
    void setCopies(int copies);
    int copies() const { return copies_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    static QColor tint(CopiesBadgeLook::Tint tint);
    static QSizeF size(const CopiesBadgeLook& look);
    // Draws the capsule with its top-left corner at origin.
    static void paint(QPainter& painter, QPointF origin, const CopiesBadgeLook& look);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int copies_ = 0;
};

}  // namespace quillane
