#include <QFontInfo>
#include <QFontMetricsF>
#include <QRawFont>

#include <gtest/gtest.h>

#include "Views/Kit/Fonts.h"

namespace quillane {
namespace {

TEST(Fonts, BundledFacesAreRegisteredAndUsed) {
    EXPECT_TRUE(Fonts::registerBundled());
    struct Case {
        QFont font;
        const char* familyStart;
    };
    const Case cases[] = {
        {Fonts::text(13), "Roboto"},
        {Fonts::text(15, QFont::Black), "Roboto"},
        {Fonts::text(11, QFont::DemiBold), "Roboto"},
        {Fonts::mono(12), "JetBrains Mono"},
        {Fonts::marker(24), "Permanent Marker"},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(QFontInfo(c.font).family().startsWith(QLatin1String(c.familyStart)))
            << QFontInfo(c.font).family().toStdString() << " for " << c.familyStart;
}

// Counting numbers must not jitter: every digit of the text face has the same advance, in every weight.
TEST(Fonts, TheTenDigitsHaveOneAdvance) {
    for (const QFont::Weight weight : {QFont::Light, QFont::Normal, QFont::Medium, QFont::DemiBold, QFont::Bold,
                                       QFont::ExtraBold, QFont::Black}) {
        const QRawFont raw = QRawFont::fromFont(Fonts::text(40, weight));
        ASSERT_TRUE(raw.isValid());
        QList<qreal> advances;
        for (char digit = '0'; digit <= '9'; ++digit) {
            const QList<quint32> glyphs = raw.glyphIndexesForString(QString(QLatin1Char(digit)));
            ASSERT_EQ(glyphs.size(), 1);
            ASSERT_NE(glyphs.first(), 0u) << digit;
            advances << raw.advancesForGlyphIndexes(glyphs).first().x();
        }
        for (qreal advance : advances) EXPECT_DOUBLE_EQ(advance, advances.first()) << "weight " << weight;
    }
}

TEST(Fonts, LogicalPixelsBecomePointsForTheScreensDpi) {
    struct Case {
        double px, dpi, points;
    };
    const Case cases[] = {{13, 96, 9.75}, {10.5, 96, 7.875}, {13, 144, 6.5}, {12, 72, 12}, {12, 0, 9}};
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(Fonts::pointSize(c.px, c.dpi), c.points) << c.px << " at " << c.dpi;
    // Made fonts come out at the asked pixel size again.
    EXPECT_NEAR(Fonts::pixelSize(Fonts::text(11.5)), 11.5, 1e-9);
    EXPECT_NEAR(QFontMetricsF(Fonts::text(20)).height(), QFontMetricsF(Fonts::text(10)).height() * 2, 1.0);
}

}  // namespace
}  // namespace quillane
