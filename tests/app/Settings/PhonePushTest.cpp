#include <QLabel>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include "Notifications/PhonePush.h"
#include "Views/Kit/Toggle.h"
#include "Views/Settings/PhonePushSection.h"
#include "support/OffscreenApp.h"
#include "support/RecordingHTTPServer.h"
#include "support/Scopes.h"
#include "support/TempDir.h"
#include "support/app/ModelHarness.h"

namespace quillane {
namespace {

using Server = testing::RecordingHTTPServer;

struct PhoneFixture : ::testing::Test {
    testing::LanguageScope english{AppLanguage::en};
    testing::ModelHarness harness;
    AppModel& model = harness.make();

    void setTopic(const std::string& topic, bool on = true) {
        model.changeSettings([&](AppSettings& s) {
            s.phonePush = on;
            s.phonePushTopic = topic;
        });
        harness.settle();
    }
    // Presses "Send test notification" `count` times and waits for as many answers.
    static void sendTests(PhonePushSection& section, int count) {
        QSignalSpy answers(&section, &PhonePushSection::testAnswered);
        for (int i = 0; i < count; ++i) section.findChild<QAbstractButton*>(QStringLiteral("sendTest"))->click();
        EXPECT_EQ(section.testResult(), QStringLiteral("Sending…"));
        QTRY_COMPARE_WITH_TIMEOUT(answers.count(), count, 20000);
    }
};

TEST_F(PhoneFixture, SwitchingOnMakesATopicFirst) {
    Server relay;
    PhonePushSection section(model, relay.url());
    EXPECT_FALSE(section.findChild<QWidget*>(QStringLiteral("qrCode"))->isVisibleTo(&section));
    QTest::mouseClick(section.findChild<Toggle*>(QStringLiteral("phonePush")), Qt::LeftButton);
    harness.settle();
    const std::string topic = model.settings().phonePushTopic;
    EXPECT_EQ(topic.size(), 29u);
    EXPECT_TRUE(topic.starts_with("quillane-"));
    EXPECT_TRUE(model.settings().phonePush);
    const std::string stored = testing::readFile(harness.store / "settings.json");
    EXPECT_NE(stored.find(topic), std::string::npos);
    testing::saveRender(section, QStringLiteral("phone-on"), QSize(600, section.sizeHint().height()));
    EXPECT_EQ(section.findChild<QLabel*>(QStringLiteral("topic"))->text().toStdString(), topic);
    // Off hides the code and keeps the topic; on again shows the same one.
    QTest::mouseClick(section.findChild<Toggle*>(QStringLiteral("phonePush")), Qt::LeftButton);
    harness.settle();
    EXPECT_FALSE(section.findChild<QWidget*>(QStringLiteral("qrCode"))->isVisibleTo(&section));
    EXPECT_EQ(model.settings().phonePushTopic, topic);
}

TEST_F(PhoneFixture, TestMessageReachesTheRelay) {
    Server relay;
    setTopic("quillane-abcdefghijkmnpqrstu");
    PhonePushSection section(model, relay.url());
    sendTests(section, 1);
    EXPECT_EQ(section.testResult(), QStringLiteral("Sent ✓"));
    ASSERT_EQ(relay.requests().size(), 1u);
    const Server::Request sent = relay.requests().front();
    EXPECT_EQ(sent.method, "POST");
    EXPECT_EQ(sent.target, "/quillane-abcdefghijkmnpqrstu");
    EXPECT_EQ(sent.header("Title").value_or(""), "Quillane");
    EXPECT_EQ(sent.header("Tags").value_or(""), "white_check_mark");
    EXPECT_EQ(sent.body, "Test: your phone is connected.");
    testing::saveRender(section, QStringLiteral("phone-sent"), QSize(600, section.sizeHint().height()));

    // "New code" changes the topic and keeps the line.
    section.findChild<QAbstractButton*>(QStringLiteral("newCode"))->click();
    harness.settle();
    EXPECT_NE(model.settings().phonePushTopic, "quillane-abcdefghijkmnpqrstu");
    EXPECT_EQ(section.testResult(), QStringLiteral("Sent ✓"));
}

TEST_F(PhoneFixture, FailuresAndTheLastAnswerWins) {
    struct Case {
        const char* what;
        std::string topic;
        bool refused;
        const char* line;
    };
    const Case cases[] = {
        {"nothing listens", "quillane-abcdefghijkmnpqrstu", true, "No connection"},
        {"empty topic", "", false, "No connection"},
    };
    for (const Case& c : cases) {
        setTopic(c.topic);
        const std::string server =
            c.refused ? "http://127.0.0.1:" + std::to_string(Server::unusedPort()) : Server().url();
        PhonePushSection section(model, server);
        sendTests(section, 1);
        EXPECT_EQ(section.testResult().toStdString(), c.line) << c.what;
    }
    // Two presses: the first answer is held back and fails, the second comes at once and succeeds.
    // The line shows the send that finished last.
    setTopic("quillane-abcdefghijkmnpqrstu");
    std::atomic<int> seen{0};
    Server relay([&](const Server::Request&) {
        const bool first = ++seen == 1;
        Server::Reply reply(first ? 500 : 200);
        reply.held = first;
        return reply;
    });
    PhonePushSection section(model, relay.url());
    QSignalSpy answers(&section, &PhonePushSection::testAnswered);
    for (int press = 0; press < 2; ++press) section.findChild<QAbstractButton*>(QStringLiteral("sendTest"))->click();
    QTRY_COMPARE_WITH_TIMEOUT(answers.count(), 1, 20000);
    EXPECT_EQ(section.testResult(), QStringLiteral("Sent ✓"));
    relay.release();
    QTRY_COMPARE_WITH_TIMEOUT(answers.count(), 2, 20000);
    EXPECT_EQ(section.testResult(), QStringLiteral("No connection"));
}

TEST_F(PhoneFixture, HostileTopicsStillWork) {
    Server relay;
    struct Case {
        const char* what;
        std::string topic;
    };
    const Case cases[] = {
        {"slashes and spaces", "a/b c/../d"},
        {"300 characters", std::string(300, 'x')},
    };
    for (const Case& c : cases) {
        setTopic(c.topic);
        PhonePushSection section(model, relay.url());
        testing::saveRender(section, QStringLiteral("phone-hostile"), QSize(600, section.sizeHint().height()));
        sendTests(section, 1);
        EXPECT_EQ(section.testResult(), QStringLiteral("Sent ✓")) << c.what;
        const std::string target = relay.requests().back().target;
        EXPECT_EQ(std::count(target.begin(), target.end(), '/'), 1) << c.what;  // the topic stays one path segment
    }
}

// The QR code decodes to the subscribe address (with zbarimg, when the machine has it).
TEST_F(PhoneFixture, QRCodeDecodesToTheSubscribeAddress) {
    const QString zbar = QStandardPaths::findExecutable(QStringLiteral("zbarimg"));
    if (zbar.isEmpty()) GTEST_SKIP() << "zbarimg is not installed";
    setTopic("quillane-abcdefghijkmnpqrstu");
    const std::string server = "https://relay.example";
    PhonePushSection section(model, server);
    auto* code = section.findChild<QWidget*>(QStringLiteral("qrCode"));
    testing::saveRender(section, QStringLiteral("phone-qr"), QSize(600, section.sizeHint().height()));
    ASSERT_TRUE(code->isVisibleTo(&section));
    testing::TempDir folder("quillane-qr");
    const QString file = QString::fromStdString((folder / "qr.png").string());
    // Scale up for the reader: the code is drawn without smoothing.
    ASSERT_TRUE(code->grab().toImage().scaled(390, 390).save(file));
    QProcess reader;
    reader.start(zbar, {QStringLiteral("--raw"), QStringLiteral("-q"), file});
    ASSERT_TRUE(reader.waitForFinished(20000));
    EXPECT_EQ(QString::fromUtf8(reader.readAllStandardOutput()).trimmed().toStdString(),
              PhonePush::subscribeURL(server, "quillane-abcdefghijkmnpqrstu"));
}

}  // namespace
}  // namespace quillane
