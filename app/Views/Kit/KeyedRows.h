#pragma once
#include <QBoxLayout>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <utility>
#include <vector>

namespace quillane {

// Keeps one widget per key in a layout across refreshes, so a row's open popover, menu, hover and
// focus survive a model change: rows whose key stays are reused and updated in place, new keys get
// a new row, gone keys lose theirs (hidden at once, deleted later, so a row may disappear from inside
// its own click handler), and the rows are put in the order of the items.
//
//   KeyedRows<DriveCard> cards{column->layout()};
//   cards.sync(model.drives(),
//              [](const DriveState& d) { return QString::fromStdString(d.info.id); },
//              [&](const DriveState& d) { return new DriveCard(d); },
//              [](DriveCard* card, const DriveState& d) { card->setDrive(d); });
//
// `Layout` needs indexOf, removeWidget and insertWidget(index, widget) (QBoxLayout, FlowLayout).
// The rows occupy the layout's places from `firstIndex` on; other widgets may stand before them.
template <class Row, class Layout = QBoxLayout>
class KeyedRows {
public:
    explicit KeyedRows(Layout* layout, int firstIndex = 0) : layout_(layout), first_(firstIndex) {}

    template <class Items, class KeyOf, class Make, class Update>
    void sync(const Items& items, KeyOf keyOf, Make make, Update update) {
        if (layout_ == nullptr) return;
        std::vector<std::pair<QString, QPointer<Row>>> old = std::move(rows_);
        rows_.clear();
        for (const auto& item : items) {
            const QString key = keyOf(item);
            Row* row = nullptr;
            for (auto& [oldKey, oldRow] : old) {
                if (oldRow != nullptr && oldKey == key) {
                    row = oldRow;
                    oldRow = nullptr;  // a duplicate key gets a row of its own
                    break;
                }
            }
            if (row == nullptr) row = make(item);
            update(row, item);
            rows_.emplace_back(key, row);
        }
        for (auto& [key, row] : old) {
            if (row == nullptr) continue;
            row->hide();
            layout_->removeWidget(row);
            row->deleteLater();
        }
        for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
            Row* row = rows_[i].second;
            if (layout_->indexOf(row) == first_ + i) continue;
            if (layout_->indexOf(row) >= 0) layout_->removeWidget(row);
            layout_->insertWidget(first_ + i, row);
            row->show();
        }
    }

    // The row of a key, nullptr when there is none.
    Row* row(const QString& key) const {
        for (const auto& [k, row] : rows_)
            if (k == key) return row;
        return nullptr;
    }
    QStringList keys() const {
        QStringList all;
        for (const auto& entry : rows_) all << entry.first;
        return all;
    }
    int size() const { return static_cast<int>(rows_.size()); }

private:
    QPointer<Layout> layout_;
    int first_;
    std::vector<std::pair<QString, QPointer<Row>>> rows_;
};

}  // namespace quillane
