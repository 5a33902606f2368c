#pragma once
#include <QLayout>
#include <QList>
#include <QRectF>
#include <QSizeF>

#include <optional>
#include <vector>

namespace quillane {

// Line breaking of a flow of children, as pure functions (the FlowLayout below applies them).
namespace Flow {
struct Entry {
    int index;
    QSizeF size;
};
using Line = std::vector<Entry>;

// Sets children side by side and starts a new line when the next child would run past `width`
// (x > 0 and x + w > width). Always at least one line (an empty one for no children); a child wider
// than `width` is never shrunk and stands alone on its line.
std::vector<Line> lines(const std::vector<QSizeF>& sizes, double width, double spacing);
double lineWidth(const Line& line, double spacing);
double lineHeight(const Line& line);
// The size for a proposed width (none: everything on one line, as wide as that line).
QSizeF size(const std::vector<QSizeF>& sizes, std::optional<double> width, double spacing, double lineSpacing);
// Where each child goes inside `bounds` (by child index): lines from the top, children centred
// vertically on their line, lines leading-aligned or centred.
std::vector<QRectF> place(const std::vector<QSizeF>& sizes, const QRectF& bounds, double spacing, double lineSpacing,
                          bool centered);
}  // namespace Flow

// A layout that wraps its children into lines like words in a paragraph (the project overview's drive
// tiles). Children keep their size hints. Works with KeyedRows (insertWidget).
class FlowLayout : public QLayout {
    Q_OBJECT
public:
    explicit FlowLayout(QWidget* parent = nullptr, double spacing = 8, double lineSpacing = 8, bool centered = false);
    ~FlowLayout() override;

    void insertWidget(int index, QWidget* widget);

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    std::vector<QSizeF> childSizes() const;

    QList<QLayoutItem*> items_;
    double spacing_;
    double lineSpacing_;
    bool centered_;
};

}  // namespace quillane
