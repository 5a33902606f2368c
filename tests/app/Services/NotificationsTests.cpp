#include <gtest/gtest.h>

#include <QFileInfo>
#include <QRegularExpression>

#include "Platform/DesktopNotifications.h"
#include "Support/Lang.h"
#include "Waiting.h"
#include "support/RecordingHTTPServer.h"
#include "support/app/PrivateBus.h"

using namespace quillane;
using namespace quillane::testing;

TEST(DesktopNotifications, PostsOnTheDesktopWhenOnAndPushesWhenATopicIsSet) {
    PrivateBus bus;
    if (!bus.available()) GTEST_SKIP() << bus.reason().toStdString();
    if (!bus.startMock("org.freedesktop.Notifications", {"-t", "notification_daemon"}))
        GTEST_SKIP() << bus.reason().toStdString();
    RecordingHTTPServer relay;
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::darkCyan);
    DesktopNotifications center(bus.connection(), icon, relay.url());

    struct Case {
        bool enabled;
        std::optional<std::string> topic;
        NotificationKind kind;
        std::optional<std::string> tags, priority;  // of the push
    };
    const Case cases[] = {
        {true, std::nullopt, NotificationKind::success, std::nullopt, std::nullopt},
        {true, "quillane-topic", NotificationKind::failure, "warning", "high"},
        {false, "quillane-topic", NotificationKind::info, "pause_button", std::nullopt},
        {false, std::nullopt, NotificationKind::success, std::nullopt, std::nullopt},
    };
    int number = 0;
    for (const Case& c : cases) {
        const std::string title = "Transfer " + std::to_string(++number);
        const std::size_t pushesBefore = relay.requests().size();
        center.setSwitches(c.enabled, c.topic);
        center.post(title, "Roll A001 on 2 SSDs", c.kind);
        if (c.topic) {
            ASSERT_TRUE(relay.waitForRequests(pushesBefore + 1, std::chrono::seconds(10))) << title;
            const auto push = relay.requests().back();
            EXPECT_EQ(push.target, "/" + *c.topic);
            EXPECT_EQ(push.header("Title"), title);
            EXPECT_EQ(push.body, "Roll A001 on 2 SSDs");
            EXPECT_EQ(push.header("Tags"), c.tags);
            EXPECT_EQ(push.header("Priority"), c.priority);
        }
        if (c.enabled) {
            EXPECT_TRUE(bus.waitForLog(QString::fromStdString(title))) << title;
            EXPECT_TRUE(bus.log().contains("Notify \"Quillane\" 0 \"\" \"" + QString::fromStdString(title)));
        }
    }
    // The posts that were off never arrive, and no push went out without a topic.
    waitUntil([] { return false; }, 300);
    EXPECT_FALSE(bus.log().contains("Transfer 3"));
    EXPECT_FALSE(bus.log().contains("Transfer 4"));
    EXPECT_EQ(relay.requests().size(), 2u);
    // The notifications name the desktop entry the build installs.
    const QFileInfo entry(QStringLiteral(QUILLANE_DESKTOP_ENTRY));
    ASSERT_TRUE(entry.exists());
    const auto hint = QRegularExpression(R"re("desktop-entry": "([^"]*)")re").match(bus.log());
    ASSERT_TRUE(hint.hasMatch()) << bus.log().toStdString();
    EXPECT_EQ(hint.captured(1) + ".desktop", entry.fileName());
}

TEST(DesktopNotifications, WithoutABusThePushStillGoesOut) {
    RecordingHTTPServer relay;
    DesktopNotifications center(QDBusConnection("quillane-no-such-bus"), {}, relay.url());
    center.setSwitches(true, "quillane-topic");
    center.post("Paused", "Waiting for drives", NotificationKind::info);
    ASSERT_TRUE(relay.waitForRequests(1, std::chrono::seconds(10)));
    EXPECT_EQ(relay.requests().front().header("Tags"), "pause_button");
}
