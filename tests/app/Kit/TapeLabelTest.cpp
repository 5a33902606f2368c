#include <QHBoxLayout>
#include <QPainterPath>

#include <gtest/gtest.h>

#include "Views/Kit/TapeLabel.h"
#include "Views/Kit/TapeLettering.h"
#include "Views/Kit/Theme.h"
#include "support/OffscreenApp.h"

namespace quillane {
namespace {

// Closed outlines (subpaths) in a path.
int subpaths(const QPainterPath& path) {
    int count = 0;
    for (int i = 0; i < path.elementCount(); ++i) count += path.elementAt(i).isMoveTo() ? 1 : 0;
    return count;
}

TEST(TapeLettering, SlashesZerosOnlyAndKeepsCapHeight) {
    struct Case {
        const char* text;
        int slashes;
    };
    const Case cases[] = {{"A001", 2}, {"S002", 2}, {"O0O", 1}, {"B123", 0}, {"", 0}, {"   ", 0}};
    const double capHeight = TapeLettering::layout(QStringLiteral("A001"), 24).size.height();
    EXPECT_GT(capHeight, 10);
    for (const Case& c : cases) {
        const TapeLettering::Layout layout = TapeLettering::layout(QString::fromUtf8(c.text), 24);
        EXPECT_EQ(subpaths(layout.slashes), c.slashes) << c.text;
        EXPECT_DOUBLE_EQ(layout.size.height(), capHeight) << c.text;  // the same height whatever the text
        if (!layout.glyphs.isEmpty()) {
            // Tops of the capitals at 0, baseline at cap height (a little overshoot is the face's).
            EXPECT_NEAR(layout.glyphs.boundingRect().top(), 0, 0.15 * capHeight) << c.text;
            EXPECT_NEAR(layout.glyphs.boundingRect().bottom(), capHeight, 0.2 * capHeight) << c.text;
        }
    }
}

TEST(TapeLettering, UnmappedCharactersAddNoWidthAndSpacesAddTheirAdvance) {
    const double plain = TapeLettering::layout(QStringLiteral("A1"), 24).size.width();
    struct Case {
        QString text;
        bool wider;
    };
    const Case cases[] = {
        {QStringLiteral("A\u4E001"), false},        // a CJK ideograph the face lacks
        {QStringLiteral("A\U0001F3AC1"), false},    // an emoji beyond the basic plane
        {QStringLiteral("A 1"), true},              // a space moves the pen
    };
    for (const Case& c : cases) {
        const TapeLettering::Layout layout = TapeLettering::layout(c.text, 24);
        if (c.wider) EXPECT_GT(layout.size.width(), plain + 1);
        else EXPECT_DOUBLE_EQ(layout.size.width(), plain);
        EXPECT_EQ(subpaths(TapeLettering::layout(QStringLiteral(" "), 24).glyphs), 0);
    }
    // The lettering scales with its size.
    EXPECT_NEAR(TapeLettering::layout(QStringLiteral("A001"), 48).size.width(),
                2 * TapeLettering::layout(QStringLiteral("A001"), 24).size.width(), 1.0);
}

TEST(TapeLettering, TapeIsNotARectangle) {
    const QPainterPath tape = TapeLettering::tapeShape(QRectF(0, 0, 100, 50));
    const QPointF corners[] = {{2, 0}, {98, 2}, {100, 50}, {0, 48}};
    ASSERT_GE(tape.elementCount(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(QPointF(tape.elementAt(i)), corners[i]) << i;
}

TEST(TapeLabel, DrawsTheNameOnTapeAndNothingForAnEmptyName) {
    struct Case {
        const char* name;
        QString text;
        double size, tilt;
        bool drawn;
    };
    const Case cases[] = {
        {"tape-A001", QStringLiteral("A001"), 24, -2, true},
        {"tape-S002", QStringLiteral("S002"), 12, -1.5, true},
        {"tape-markup", QStringLiteral("<b>X</b>"), 13, -1.5, true},
        {"tape-long", QString(300, QLatin1Char('W')), 12, -1.5, true},
        {"tape-empty", QString(), 24, -2, false},
    };
    for (const Case& c : cases) {
        QWidget host;
        host.setAutoFillBackground(true);
        auto* row = new QHBoxLayout(&host);
        row->setContentsMargins(10, 10, 10, 10);
        auto* label = new TapeLabel(c.text, c.size, c.tilt);
        row->addWidget(label);
        row->addStretch();
        const QImage image = testing::saveRender(host, QString::fromLatin1(c.name));
        EXPECT_EQ(label->sizeHint().isEmpty(), !c.drawn) << c.name;
        EXPECT_EQ(label->accessibleName(), c.text) << c.name;
        if (c.drawn) {
            EXPECT_LT(label->sizeHint().width(), 40 * c.size) << c.name;  // a long name is cut
            // Most of the label is tape.
            int tape = 0;
            const QRect area = label->geometry();
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x) tape += QColor(image.pixel(x, y)).rgb() == Theme::accent().rgb();
            EXPECT_GT(tape, area.width() * area.height() / 5) << c.name;
        }
    }
}

}  // namespace
}  // namespace quillane
