#include <gtest/gtest.h>

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include <set>

#include "Platform/DesktopFeedback.h"
#include "Platform/FileManagerDesktop.h"
#include "Waiting.h"
#include "support/FakeProgram.h"
#include "support/TempDir.h"
#include "support/app/PrivateBus.h"

using namespace quillane;
using namespace quillane::testing;

// Receives what the desktop opener is handed, and the launcher's progress signals.
class DesktopRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
    QList<QVariantMap> launcher;
    QStringList launcherEntries;
public slots:
    void open(const QUrl& url) { opened << url; }
    void update(const QString& entry, const QVariantMap& properties) {
        launcherEntries << entry;
        launcher << properties;
    }
};

namespace {

struct OpenerScope {
    explicit OpenerScope(DesktopRecorder& recorder) {
        for (const char* scheme : {"file", "http", "https"}) QDesktopServices::setUrlHandler(scheme, &recorder, "open");
    }
    ~OpenerScope() {
        for (const char* scheme : {"file", "http", "https"}) QDesktopServices::unsetUrlHandler(scheme);
    }
};

}  // namespace

TEST(FileManagerDesktop, RevealsThroughTheFileManagerOrOpensTheFolder) {
    PrivateBus bus;
    if (!bus.available()) GTEST_SKIP() << bus.reason().toStdString();
    DesktopRecorder recorder;
    OpenerScope opener(recorder);
    FakeProgram folderOpener("xdg-open", 0);
    TempDir dir;
    const auto clip = dir / "A001/C0001.MP4";
    const std::string folderURL =
        QUrl::fromLocalFile(QString::fromStdString((dir / "A001").string())).toString(QUrl::FullyEncoded).toStdString();
    int notShown = 0;
    const auto count = [&](const std::filesystem::path&) { ++notShown; };

    // No file manager on the bus: the clip's folder opens instead.
    FileManagerDesktop desktop(bus.connection());
    desktop.reveal(clip, count);
    ASSERT_TRUE(waitUntil([&] { return !folderOpener.calls().empty(); }));
    EXPECT_EQ(folderOpener.calls(), std::vector<std::string>{folderURL});

    if (!bus.startMock("org.freedesktop.FileManager1",
                       {"org.freedesktop.FileManager1", "/org/freedesktop/FileManager1", "org.freedesktop.FileManager1"}))
        GTEST_SKIP() << bus.reason().toStdString();
    QDBusMessage add = QDBusMessage::createMethodCall("org.freedesktop.FileManager1", "/org/freedesktop/FileManager1",
                                                      "org.freedesktop.DBus.Mock", "AddMethod");
    add << QString("org.freedesktop.FileManager1") << QString("ShowItems") << QString("ass") << QString("")
        << QString("");
    ASSERT_EQ(bus.connection().call(add).type(), QDBusMessage::ReplyMessage);
    desktop.reveal(clip, count);
    const QString uri = QUrl::fromLocalFile(QString::fromStdString(clip.string())).toString(QUrl::FullyEncoded);
    EXPECT_TRUE(bus.waitForLog("ShowItems [\"" + uri + "\"]")) << bus.log().toStdString();
    waitUntil([] { return false; }, 200);
    EXPECT_EQ(folderOpener.calls().size(), 1u);

    // Folders go to the desktop's opener program, web pages to Qt's opener; only http(s) pages are opened.
    desktop.openFolder(dir / "A001", count);
    desktop.openWebPage("https://quillane.app/releases/1.0.2");
    desktop.openWebPage("file:///etc/passwd");
    EXPECT_EQ(recorder.opened, QList<QUrl>{QUrl("https://quillane.app/releases/1.0.2")});
    ASSERT_TRUE(waitUntil([&] { return folderOpener.calls().size() == 2; }));
    EXPECT_EQ(folderOpener.calls().back(), folderURL);
    EXPECT_EQ(notShown, 0);
}

// With no program for folders the desktop's opener exits non-zero: the folder asked for, or the
// folder of an item no file manager revealed, is handed back so that the crew is told.
TEST(FileManagerDesktop, SaysWhenNoProgramShowedTheFolder) {
    FakeProgram folderOpener("xdg-open", 3);
    TempDir dir;
    std::set<std::filesystem::path> notShown;
    const auto note = [&](const std::filesystem::path& folder) { notShown.insert(folder); };
    FileManagerDesktop desktop{QDBusConnection(QString())};
    desktop.openFolder(dir / "A001", note);
    desktop.reveal(dir / "A002/C0001.MP4", note);
    ASSERT_TRUE(waitUntil([&] { return notShown.size() == 2; }));
    EXPECT_EQ(notShown, (std::set<std::filesystem::path>{dir / "A001", dir / "A002"}));
    EXPECT_EQ(folderOpener.calls().size(), 2u);
}

TEST(DesktopFeedback, ShowsProgressOnTheLauncher) {
    PrivateBus bus;
    if (!bus.available()) GTEST_SKIP() << bus.reason().toStdString();
    DesktopRecorder recorder;
    ASSERT_TRUE(bus.connection().connect("", "", "com.canonical.Unity.LauncherEntry", "Update", &recorder,
                                         SLOT(update(QString, QVariantMap))));
    DesktopFeedback feedback(bus.connection());
    feedback.setProgress(0.42);
    feedback.setProgress(std::nullopt);
    feedback.requestAttention();
    ASSERT_TRUE(waitUntil([&] { return recorder.launcher.size() == 2; }));
    EXPECT_DOUBLE_EQ(recorder.launcher[0].value("progress").toDouble(), 0.42);
    EXPECT_TRUE(recorder.launcher[0].value("progress-visible").toBool());
    EXPECT_FALSE(recorder.launcher[1].value("progress-visible").toBool());
    // The progress is meant for the desktop entry the build installs.
    const QString entry = QFileInfo(QStringLiteral(QUILLANE_DESKTOP_ENTRY)).fileName();
    ASSERT_TRUE(QFileInfo::exists(QStringLiteral(QUILLANE_DESKTOP_ENTRY)));
    EXPECT_EQ(recorder.launcherEntries, QStringList(2, "application://" + entry));
}

// Without a sound server a sound is quietly nothing. It plays in a child process that ends at once: the
// sound library's audio plugins leave thread-local storage the leak checker's exit scan trips over.
TEST(DesktopFeedback, WithoutASoundServerASoundIsQuietlyNothing) {
    EXPECT_EXIT(
        {
            DesktopFeedback feedback{QDBusConnection(QString())};
            feedback.playSound(FeedbackSound::success);
            feedback.playSound(FeedbackSound::failure);
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

#include "DesktopTests.moc"
