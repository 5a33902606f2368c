#include <QFontMetricsF>
#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "Views/Kit/Animations.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Kit/Theme.h"
#include "support/OffscreenApp.h"

namespace quillane {
namespace {

QColor pixelAt(const QImage& image, QPointF point) { return QColor(image.pixel(point.toPoint())); }

TEST(Buttons, SizesFollowTheStyle) {
    const QString label = QStringLiteral("Pause");
    struct Case {
        const char* what;
        ButtonStyle style;
        QString symbol;
        double width;  // < 0: label plus padding, computed below
        double height;
    };
    const double labelWidth = std::ceil(QFontMetricsF(ButtonStyles::secondary().font).horizontalAdvance(label));
    const Case cases[] = {
        {"secondary is its label plus 28", ButtonStyles::secondary(), {}, labelWidth + 28, 32},
        {"primary is 32 high", ButtonStyles::primary(), {}, -1, 32},
        {"large primary is 52 high", ButtonStyles::primary(true), {}, -1, 52},
        {"icon button is 28 square", ButtonStyles::icon(), QStringLiteral("gearshape"), 28, 28},
    };
    for (const Case& c : cases) {
        StyledButton button(c.style, c.style.fixedWidth > 0 ? QString() : label, c.symbol);
        const QSize hint = button.sizeHint();
        EXPECT_EQ(hint.height(), c.height) << c.what;
        if (c.width > 0) EXPECT_EQ(hint.width(), c.width) << c.what;
        else EXPECT_GT(hint.width(), 2 * c.style.paddingX) << c.what;
    }
    // A full-width secondary button takes what it is offered.
    QWidget row;
    auto* layout = new QHBoxLayout(&row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* wide = new StyledButton(ButtonStyles::secondary(true), label);
    layout->addWidget(wide);
    testing::saveRender(row, QStringLiteral("button-fullwidth"), QSize(300, 32));
    EXPECT_EQ(wide->width(), 300);
}

TEST(Buttons, StatesPaintTheirColours) {
    struct Case {
        const char* name;
        ButtonStyle style;
        bool enabled;
        bool down;
        QColor fill;  // at the button's left inner edge
        bool glow;
    };
    const Case cases[] = {
        {"primary", ButtonStyles::primary(), true, false, Theme::accent(), false},
        {"primary-large", ButtonStyles::primary(true), true, false, Theme::accent(), true},
        {"primary-large-disabled", ButtonStyles::primary(true), false, false, QColor(0x1E, 0x20, 0x23), false},
        {"secondary", ButtonStyles::secondary(), true, false, Theme::card(), false},
        {"secondary-pressed", ButtonStyles::secondary(), true, true, Theme::cardRaised(), false},
        {"secondary-disabled", ButtonStyles::secondary(), false, false, Theme::card(), false},
    };
    for (const Case& c : cases) {
        QWidget host;
        host.setAutoFillBackground(true);
        auto* layout = new QHBoxLayout(&host);
        layout->setContentsMargins(24, 16, 24, 24);
        auto* button = new StyledButton(c.style, QStringLiteral("TRANSFER"), {});
        button->setEnabled(c.enabled);
        button->setDown(c.down);
        layout->addWidget(button);
        const QImage image = testing::saveRender(host, QStringLiteral("button-") + QLatin1String(c.name));
        const QPointF probe = button->geometry().center() - QPointF(button->width() / 2.0 - 12, 0);
        const QColor seen = pixelAt(image, probe);
        EXPECT_LE(std::abs(seen.red() - c.fill.red()) + std::abs(seen.green() - c.fill.green()) +
                      std::abs(seen.blue() - c.fill.blue()),
                  6)
            << c.name << " " << seen.name().toStdString();
        EXPECT_EQ(qobject_cast<QGraphicsDropShadowEffect*>(button->graphicsEffect()) != nullptr, c.glow) << c.name;
    }
}

TEST(Buttons, PressScalesTheButtonAndHoverLightsTheIcon) {
    StyledButton primary(ButtonStyles::primary(), QStringLiteral("Go"));
    primary.resize(primary.sizeHint());
    QSignalSpy clicks(&primary, &QAbstractButton::clicked);
    QTest::mousePress(&primary, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(primary.pressScale(), 0.97);  // animations are off in tests: at once
    QTest::mouseRelease(&primary, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(primary.pressScale(), 1.0);
    EXPECT_EQ(clicks.count(), 1);

    StyledButton icon(ButtonStyles::icon(), {}, QStringLiteral("gearshape"));
    QWidget host;
    host.setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(&host);
    layout->addWidget(&icon);
    const QImage quiet = testing::saveRender(host, QStringLiteral("button-icon"));
    QEvent enter(QEvent::HoverEnter);
    QCoreApplication::sendEvent(&icon, &enter);
    EXPECT_TRUE(icon.isHovered());
    const QImage lit = testing::saveRender(host, QStringLiteral("button-icon-hover"));
    const QPointF nearEdge = icon.geometry().topLeft() + QPointF(5, 14);
    EXPECT_GT(pixelAt(lit, nearEdge).lightness(), pixelAt(quiet, nearEdge).lightness());
    icon.setParent(nullptr);
}

// The ring is the keyboard's: Tab shows it, a click or a program's focus does not; the focused
// button acts on Space, Return and Enter.
TEST(Buttons, TabShowsTheFocusRingAndSpaceOrReturnClicks) {
    QWidget host;
    host.setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(&host);
    layout->setContentsMargins(24, 16, 24, 24);
    auto* cancel = new StyledButton(ButtonStyles::secondary(), QStringLiteral("Cancel"));
    auto* start = new StyledButton(ButtonStyles::primary(), QStringLiteral("Start"));
    layout->addWidget(cancel);
    layout->addWidget(start);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    // Rendered in place: the window keeps the keyboard.
    const auto render = [&](const char* name) {
        const QImage image = host.grab().toImage();
        image.save(testing::renderFolder() + QStringLiteral("/button-focus-%1.png").arg(QLatin1String(name)));
        return image;
    };
    // Just inside each button's top edge, where the ring lies.
    const auto edges = [&](const QImage& image) {
        return std::pair{pixelAt(image, cancel->geometry().center() - QPointF(0, cancel->height() / 2.0 - 1)),
                         pixelAt(image, start->geometry().center() - QPointF(0, start->height() / 2.0 - 1))};
    };
    const auto quiet = edges(render("none"));

    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_FALSE(start->hasFocus());
    cancel->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(cancel, Qt::Key_Tab);
    ASSERT_TRUE(start->hasFocus());
    const auto ringed = edges(render("ring"));
    EXPECT_EQ(ringed.first, quiet.first);
    EXPECT_NE(ringed.second, quiet.second);
    EXPECT_GT(ringed.second.green(), ringed.second.red() + 40) << ringed.second.name().toStdString();
    QTest::keyClick(start, Qt::Key_Backtab);
    ASSERT_TRUE(cancel->hasFocus());
    const auto back = edges(render("ring-secondary"));
    EXPECT_NE(back.first, quiet.first);
    EXPECT_GT(back.first.green(), back.first.red() + 40) << back.first.name().toStdString();
    EXPECT_EQ(back.second, quiet.second);

    QSignalSpy clicks(cancel, &QAbstractButton::clicked);
    QTest::keyClick(cancel, Qt::Key_Space);
    QTest::keyClick(cancel, Qt::Key_Return);
    QTest::keyClick(cancel, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(clicks.count(), 3);

    // Focus a program gives shows no ring.
    start->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(edges(render("other")), quiet);
}

}  // namespace
}  // namespace quillane
