#include <QLabel>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "Views/Kit/BrandLogo.h"
#include "Views/Kit/CapacityBar.h"
#include "Views/Kit/DurationText.h"
#include "Views/Kit/EmptyZone.h"
#include "Views/Kit/SectionLabel.h"
#include "Views/Kit/TextLabel.h"
#include "Views/Kit/Theme.h"
#include "support/OffscreenApp.h"
#include "support/Scopes.h"

namespace quillane {
namespace {

TEST(DurationText, RoundsAndPicksTheUnit) {
    struct Case {
        double seconds;
        const char* english;
        const char* dutch;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {0, "1 sec", "1 sec"},          {0.4, "1 sec", "1 sec"},        {59.4, "59 sec", "59 sec"},
        {59.5, "1 min", "1 min"},       {119, "1 min", "1 min"},        {3599.4, "59 min", "59 min"},
        {3600, "1 h 0 min", "1 u 0 min"}, {7325, "2 h 2 min", "2 u 2 min"}, {-1, "—", "—"},
        {std::nan(""), "—", "—"},       {inf, "—", "—"},                {1e300, "—", "—"},
    };
    for (const Case& c : cases) {
        testing::LanguageScope english(AppLanguage::en);
        EXPECT_EQ(durationText(c.seconds).toStdString(), c.english) << c.seconds;
        Lang::current = AppLanguage::nl;
        EXPECT_EQ(durationText(c.seconds).toStdString(), c.dutch) << c.seconds;
    }
}

TEST(CapacityBar, PartsAreMeasuredAlongTheTrack) {
    using Span = CapacityBarGeometry::Span;
    struct Case {
        const char* what;
        double used, reserved;
        CapacityBarGeometry expected;
    };
    const Case cases[] = {
        {"empty drive still shows 2", 0, 0, {2, std::nullopt}},
        {"over-full fills the track", 1.3, 0, {200, std::nullopt}},
        {"half", 0.5, 0, {100, std::nullopt}},
        {"reserved starts where used ends, past the track", 0.9, 0.3, {180, Span{180, 60}}},
        {"tiny reserved is 2", 0.5, 0.001, {100, Span{100, 2}}},
        {"over-full used with reserved", 1.5, 0.2, {200, Span{200, 40}}},
        {"not a number counts as nothing", std::nan(""), std::nan(""), {2, std::nullopt}},
        {"negative", -0.5, 0, {2, std::nullopt}},
    };
    for (const Case& c : cases) {
        const CapacityBarGeometry g = capacityBarGeometry(c.used, c.reserved, 200);
        EXPECT_DOUBLE_EQ(g.usedWidth, c.expected.usedWidth) << c.what;
        ASSERT_EQ(g.reserved.has_value(), c.expected.reserved.has_value()) << c.what;
        if (g.reserved) {
            EXPECT_DOUBLE_EQ(g.reserved->x, c.expected.reserved->x) << c.what;
            EXPECT_DOUBLE_EQ(g.reserved->width, c.expected.reserved->width) << c.what;
        }
    }
}

TEST(SectionLabel, TrailingTextOnlyWhenGiven) {
    struct Case {
        std::optional<QString> trailing;
        bool shown;
    };
    for (const Case& c : {Case{std::nullopt, false}, Case{QString(), true}, Case{QStringLiteral("3 of 12"), true}}) {
        SectionLabel label(QStringLiteral("Destinations"), c.trailing);
        testing::saveRender(label, QStringLiteral("section-label"), QSize(240, 16));
        EXPECT_EQ(label.findChild<TextLabel*>(QStringLiteral("sectionTitle"))->text(), QStringLiteral("DESTINATIONS"));
        auto* trailing = label.findChild<TextLabel*>(QStringLiteral("sectionTrailing"));
        EXPECT_EQ(trailing->isVisible(), c.shown);
        EXPECT_EQ(trailing->text(), c.trailing.value_or(QString()));
    }
}

TEST(EmptyZone, KeepsItsHeightAndWrapsTheSubtitleCentred) {
    struct Case {
        const char* name;
        QString subtitle;
        int width;
    };
    const Case cases[] = {
        {"empty-zone-short", QStringLiteral("Camera or sound"), 280},
        {"empty-zone-long",
         QStringLiteral("Use 2, 3 or 4 at once —\nevery SSD gets a full copy, <b>markup stays text</b> and a very "
                        "long subtitle wraps onto several centred lines"),
         280},
    };
    for (const Case& c : cases) {
        EmptyZone zone(QStringLiteral("externaldrive"), QStringLiteral("Connect an SSD"), c.subtitle);
        testing::saveRender(zone, QString::fromLatin1(c.name), QSize(c.width, zone.heightForWidth(c.width) > 0 ? zone.heightForWidth(c.width) : zone.sizeHint().height()));
        EXPECT_GE(zone.height(), 190) << c.name;
        auto* subtitle = zone.findChild<QLabel*>(QStringLiteral("emptySubtitle"));
        EXPECT_EQ(subtitle->textFormat(), Qt::PlainText);
        EXPECT_TRUE(subtitle->alignment() & Qt::AlignHCenter);
        EXPECT_LE(subtitle->geometry().right(), c.width - 24) << c.name;
    }
}

TEST(BrandLogo, ScalesEveryPartWithItsSize) {
    // The badge (20, 18 units) is accent, the card (15, 20) light, the corner ground dark.
    for (const double size : {24.0, 32.0, 64.0}) {
        BrandLogo logo(size);
        const QImage image = testing::saveRender(logo, QStringLiteral("brand-logo-%1").arg(size));
        const double u = size / 32;
        EXPECT_EQ(QColor(image.pixel(QPointF(20 * u, 18 * u).toPoint())).rgb(), Theme::accent().rgb()) << size;
        EXPECT_GT(QColor(image.pixel(QPointF(12 * u, 20 * u).toPoint())).lightness(), 200) << size;
        EXPECT_EQ(QColor(image.pixel(QPointF(4 * u, 16 * u).toPoint())).rgb(), QColor(0x1E, 0x22, 0x28).rgb()) << size;
    }
}

}  // namespace
}  // namespace quillane
