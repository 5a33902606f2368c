#include <gtest/gtest.h>

#include <QFontMetricsF>

#include <cmath>

#include "Views/Kit/Elide.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/TextLine.h"

using namespace quillane;

// A wrapping text keeps to its line limit, its last line ending in "…"; no line runs past the edge.
TEST(TextLine, WrapsWithinItsLineLimit) {
    struct Case {
        const char* name;
        QString text;
        int limit;
        int lines;
        bool cut;
    };
    const QString longError = QStringLiteral(
        "Can't create folders: /run/media/crew/usb-Samsung_Portable_SSD_T7_1234567890-0:0/SSD_B: Not a directory");
    const std::vector<Case> cases = {
        {"short, limited", QStringLiteral("Verified · MHL"), 2, 1, false},
        {"long, unlimited", longError, 0, 3, false},
        {"long, two lines", longError, 2, 2, true},
        {"long, one line", longError, 1, 1, true},
        {"line breaks", QStringLiteral("SSD_A: 2 files\nSSD_B: 1 file"), 0, 2, false},
        {"line breaks past the limit", QStringLiteral("one\ntwo\nthree"), 2, 2, true},
        {"one long word", QStringLiteral("Samsung_Portable_SSD_T7_1234567890_Samsung_Portable_SSD_T7"), 0, 2, false},
    };
    const QFont font = Fonts::text(11.5, QFont::Medium);
    const QFontMetricsF metrics(font);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextLine line(font);
        line.setWrapping(true);
        line.setMaximumLines(c.limit);
        line.setText(c.text);
        line.setFixedWidth(240);
        const int height = line.heightForWidth(240);
        line.setFixedHeight(height);
        EXPECT_EQ(height, static_cast<int>(std::ceil(c.lines * metrics.height() + (c.lines - 1) * std::max(0.0, metrics.leading()))));
        const QString shown = line.shownText();
        EXPECT_EQ(shown != c.text, c.cut) << shown.toStdString();
        if (!c.cut) continue;
        const QStringList lines = shown.split('\n');
        EXPECT_EQ(lines.size(), c.lines);
        EXPECT_TRUE(lines.back().endsWith(QStringLiteral("…"))) << lines.back().toStdString();
        for (const QString& drawn : lines) EXPECT_LE(metrics.horizontalAdvance(drawn), 240.0) << drawn.toStdString();
    }
}

// A path's levels share a row: each case's room is exactly what its expected levels take, so the
// cut uses all of it, the widest level giving way first and each keeping its beginning.
TEST(ElidedLevels, TheWidestLevelGivesWayFirst) {
    const QFontMetricsF metrics(Fonts::expanded(Fonts::text(22, QFont::Bold)));
    const double separator = 30;
    const QStringList path{QStringLiteral("Zomerfilm Noordkaap"), QStringLiteral("DAY_01"), QStringLiteral("A")};
    struct Case {
        const char* name;
        QStringList expected;
    };
    const Case cases[] = {
        {"room for all", path},
        {"only the widest gives way", {QStringLiteral("Zomerfilm Noord\u2026"), QStringLiteral("DAY_01"), QStringLiteral("A")}},
        {"every level at its least", {QStringLiteral("Zom\u2026"), QStringLiteral("DAY\u2026"), QStringLiteral("A")}},
        {"then the first levels fold", {QStringLiteral("\u2026"), QStringLiteral("DAY\u2026"), QStringLiteral("A")}},
    };
    for (const Case& c : cases) {
        double room = 0;
        for (const QString& level : c.expected)
            if (!level.isEmpty()) room += metrics.horizontalAdvance(level) + separator;
        EXPECT_EQ(elidedLevels(path, separator, metrics, room), c.expected) << c.name;
    }
}
