#include <QLabel>

#include <gtest/gtest.h>

#include "Views/Kit/FlowLayout.h"
#include "Views/Kit/KeyedRows.h"
#include "Views/Kit/Theme.h"
#include "support/OffscreenApp.h"

namespace quillane {
namespace {

std::vector<std::vector<int>> indexes(const std::vector<Flow::Line>& lines) {
    std::vector<std::vector<int>> result;
    for (const auto& line : lines) {
        result.emplace_back();
        for (const auto& entry : line) result.back().push_back(entry.index);
    }
    return result;
}

TEST(FlowLayout, BreaksLinesLikeWords) {
    struct Case {
        const char* what;
        std::vector<QSizeF> sizes;
        double width;
        std::vector<std::vector<int>> lines;
    };
    const Case cases[] = {
        {"no children: one empty line", {}, 100, {{}}},
        {"exactly filling stays", {{46, 10}, {46, 10}}, 100, {{0, 1}}},  // 46 + 8 + 46 = 100
        {"one point more breaks", {{46, 10}, {47, 10}}, 100, {{0}, {1}}},
        {"too wide stands alone", {{20, 10}, {150, 10}, {20, 10}}, 100, {{0}, {1}, {2}}},
        {"too wide first child stays first", {{150, 10}, {20, 10}}, 100, {{0}, {1}}},
    };
    for (const Case& c : cases) EXPECT_EQ(indexes(Flow::lines(c.sizes, c.width, 8)), c.lines) << c.what;
}

TEST(FlowLayout, SizesAndPlacesChildren) {
    const std::vector<QSizeF> sizes{{40, 10}, {40, 30}, {40, 20}};
    struct Case {
        const char* what;
        std::vector<QSizeF> sizes;
        std::optional<double> width;
        QSizeF size;
    };
    const Case cases[] = {
        {"nothing, no width", {}, std::nullopt, {0, 0}},
        {"nothing, a width", {}, 120.0, {120, 0}},
        {"no width: one line", sizes, std::nullopt, {136, 30}},
        {"two lines", sizes, 100.0, {100, 30 + 8 + 20}},
    };
    for (const Case& c : cases) EXPECT_EQ(Flow::size(c.sizes, c.width, 8, 8), c.size) << c.what;

    // Centred vertically on the tallest of the line; the next line below it plus the line spacing.
    const auto frames = Flow::place(sizes, QRectF(10, 5, 100, 200), 8, 8, false);
    EXPECT_EQ(frames[0], QRectF(10, 15, 40, 10));
    EXPECT_EQ(frames[1], QRectF(58, 5, 40, 30));
    EXPECT_EQ(frames[2], QRectF(10, 43, 40, 20));
    // Centred lines; an over-wide child starts left of the bounds by half the excess.
    const auto centred = Flow::place({{40, 10}, {140, 10}}, QRectF(0, 0, 100, 100), 8, 8, true);
    EXPECT_EQ(centred[0].left(), 30);
    EXPECT_EQ(centred[1].left(), -20);
}

TEST(FlowLayout, WrapsWidgetsAndKeepsRowsByKey) {
    QWidget host;
    host.setAutoFillBackground(true);
    auto* flow = new FlowLayout(&host, 8, 8, false);
    flow->setContentsMargins(8, 8, 8, 8);
    KeyedRows<QLabel, FlowLayout> tiles(flow);
    std::vector<QString> names;
    for (int i = 1; i <= 7; ++i) names.push_back(QStringLiteral("SSD_%1").arg(i, 2, 10, QLatin1Char('0')));
    const auto make = [](const QString&) {
        auto* tile = new QLabel;
        tile->setFixedSize(64, 28);
        tile->setAlignment(Qt::AlignCenter);
        tile->setStyleSheet(QStringLiteral("background: #1E2228; color: #EDEEF0; border-radius: 6px;"));
        return tile;
    };
    tiles.sync(names, [](const QString& n) { return n; }, make, [](QLabel* l, const QString& n) { l->setText(n); });
    testing::saveRender(host, QStringLiteral("flow-layout"), QSize(240, flow->heightForWidth(240)));
    EXPECT_EQ(flow->heightForWidth(240), 8 + 28 * 3 + 8 * 2 + 8);  // three tiles a line → three lines
    EXPECT_EQ(tiles.row(QStringLiteral("SSD_04"))->geometry().topLeft(), QPoint(8, 8 + 28 + 8));
    std::reverse(names.begin(), names.end());
    QLabel* kept = tiles.row(QStringLiteral("SSD_07"));
    tiles.sync(names, [](const QString& n) { return n; }, make, [](QLabel* l, const QString& n) { l->setText(n); });
    host.layout()->activate();
    EXPECT_EQ(tiles.row(QStringLiteral("SSD_07")), kept);
    EXPECT_EQ(kept->geometry().topLeft(), QPoint(8, 8));
}

}  // namespace
}  // namespace quillane
