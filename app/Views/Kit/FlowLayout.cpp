#include "Views/Kit/FlowLayout.h"

#include <QWidget>

#include <algorithm>
#include <cmath>
#include <limits>

namespace quillane {

namespace Flow {

std::vector<Line> lines(const std::vector<QSizeF>& sizes, double width, double spacing) {
    std::vector<Line> result(1);
    double x = 0;
    for (int i = 0; i < static_cast<int>(sizes.size()); ++i) {
        const QSizeF size = sizes[i];
        if (x > 0 && x + size.width() > width) {
            result.emplace_back();
            x = 0;
        }
        result.back().push_back({i, size});
        x += size.width() + spacing;
    }
    return result;
}

double lineWidth(const Line& line, double spacing) {
    if (line.empty()) return 0;
    double width = spacing * (static_cast<double>(line.size()) - 1);
    for (const Entry& entry : line) width += entry.size.width();
    return width;
}

double lineHeight(const Line& line) {
    double height = 0;
    for (const Entry& entry : line) height = std::max(height, entry.size.height());
    return height;
}

QSizeF size(const std::vector<QSizeF>& sizes, std::optional<double> width, double spacing, double lineSpacing) {
    const std::vector<Line> broken = lines(sizes, width.value_or(std::numeric_limits<double>::infinity()), spacing);
    double height = lineSpacing * (static_cast<double>(broken.size()) - 1);
    double widest = 0;
    for (const Line& line : broken) {
        height += lineHeight(line);
        widest = std::max(widest, lineWidth(line, spacing));
    }
    return {width.value_or(widest), height};
}

std::vector<QRectF> place(const std::vector<QSizeF>& sizes, const QRectF& bounds, double spacing, double lineSpacing,
                          bool centered) {
    std::vector<QRectF> frames(sizes.size());
    double y = bounds.top();
    for (const Line& line : lines(sizes, bounds.width(), spacing)) {
        const double height = lineHeight(line);
        double x = bounds.left() + (centered ? (bounds.width() - lineWidth(line, spacing)) * 0.5 : 0);
        for (const Entry& entry : line) {
            frames[entry.index] = QRectF(QPointF(x, y + (height - entry.size.height()) * 0.5), entry.size);
            x += entry.size.width() + spacing;
        }
        y += height + lineSpacing;
    }
    return frames;
}

}  // namespace Flow

FlowLayout::FlowLayout(QWidget* parent, double spacing, double lineSpacing, bool centered)
    : QLayout(parent), spacing_(spacing), lineSpacing_(lineSpacing), centered_(centered) {
    setContentsMargins(0, 0, 0, 0);
}

FlowLayout::~FlowLayout() {
    while (QLayoutItem* item = takeAt(0)) delete item;
}

void FlowLayout::insertWidget(int index, QWidget* widget) {
    addChildWidget(widget);
    items_.insert(std::clamp<qsizetype>(index, 0, items_.size()), new QWidgetItem(widget));
    invalidate();
}

void FlowLayout::addItem(QLayoutItem* item) { items_.append(item); }
int FlowLayout::count() const { return static_cast<int>(items_.size()); }
QLayoutItem* FlowLayout::itemAt(int index) const { return index >= 0 && index < items_.size() ? items_[index] : nullptr; }
QLayoutItem* FlowLayout::takeAt(int index) {
    if (index < 0 || index >= items_.size()) return nullptr;
    QLayoutItem* item = items_.takeAt(index);
    invalidate();
    return item;
}

std::vector<QSizeF> FlowLayout::childSizes() const {
    std::vector<QSizeF> sizes;
    sizes.reserve(items_.size());
    for (QLayoutItem* item : items_) sizes.emplace_back(item->isEmpty() ? QSize(0, 0) : item->sizeHint());
    return sizes;
}

int FlowLayout::heightForWidth(int width) const {
    const QMargins m = contentsMargins();
    const QSizeF inner = Flow::size(childSizes(), double(width - m.left() - m.right()), spacing_, lineSpacing_);
    return static_cast<int>(std::ceil(inner.height())) + m.top() + m.bottom();
}

QSize FlowLayout::sizeHint() const {
    const QMargins m = contentsMargins();
    const QSizeF one = Flow::size(childSizes(), std::nullopt, spacing_, lineSpacing_);
    return QSize(static_cast<int>(std::ceil(one.width())), static_cast<int>(std::ceil(one.height()))) +
           QSize(m.left() + m.right(), m.top() + m.bottom());
}

QSize FlowLayout::minimumSize() const {
    // Narrow enough for the widest child alone on its line.
    QSize widest;
    for (QLayoutItem* item : items_) widest = widest.expandedTo(item->sizeHint());
    const QMargins m = contentsMargins();
    return QSize(widest.width(), 0) + QSize(m.left() + m.right(), m.top() + m.bottom());
}

void FlowLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    const QRectF inner = QRectF(rect).marginsRemoved(QMarginsF(contentsMargins()));
    const std::vector<QRectF> frames = Flow::place(childSizes(), inner, spacing_, lineSpacing_, centered_);
    for (int i = 0; i < items_.size(); ++i) items_[i]->setGeometry(frames[i].toRect());
}

}  // namespace quillane
