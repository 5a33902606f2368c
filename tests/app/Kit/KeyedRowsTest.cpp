#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "Views/Kit/KeyedRows.h"

namespace quillane {
namespace {

struct Item {
    QString key;
    QString text;
};

// Rows are reused by key, made for new keys, dropped for gone keys and ordered like the items;
// widgets before the rows keep their place.
TEST(KeyedRows, ReusesCreatesDropsAndReorders) {
    QWidget host;
    auto* layout = new QVBoxLayout(&host);
    auto* heading = new QLabel(QStringLiteral("heading"));
    layout->addWidget(heading);
    KeyedRows<QLabel> rows(layout, 1);
    int made = 0;
    const auto sync = [&](const std::vector<Item>& items) {
        rows.sync(
            items, [](const Item& item) { return item.key; },
            [&](const Item&) {
                ++made;
                return new QLabel;
            },
            [](QLabel* label, const Item& item) { label->setText(item.text); });
    };

    struct Step {
        std::vector<Item> items;
        int madeAfter;
        QStringList order;
    };
    const Step steps[] = {
        {{{"a", "A"}, {"b", "B"}, {"c", "C"}}, 3, {"A", "B", "C"}},
        {{{"c", "C2"}, {"a", "A2"}}, 3, {"C2", "A2"}},
        {{{"a", "A3"}, {"d", "D"}, {"c", "C3"}}, 4, {"A3", "D", "C3"}},
        {{}, 4, {}},
    };
    QPointer<QLabel> rowA;
    for (const Step& step : steps) {
        sync(step.items);
        EXPECT_EQ(made, step.madeAfter);
        QStringList seen;
        for (int i = 1; i < layout->count(); ++i)
            if (auto* label = qobject_cast<QLabel*>(layout->itemAt(i)->widget())) seen << label->text();
        EXPECT_EQ(seen, step.order);
        EXPECT_EQ(layout->itemAt(0)->widget(), heading);
        if (!step.items.empty() && step.items.front().key == QLatin1String("a")) {
            if (rowA == nullptr) rowA = rows.row(QStringLiteral("a"));
            EXPECT_EQ(rows.row(QStringLiteral("a")), rowA.data());  // the same widget all along
        }
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(rowA.isNull());  // deleted once its key went away
    EXPECT_EQ(layout->count(), 1);
}

}  // namespace
}  // namespace quillane
