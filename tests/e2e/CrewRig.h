#pragma once
#include <atomic>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QTest>
#include <QPointer>
#include <QUrl>
#include <QWidget>

#include "Model/Seams/ModelTimings.h"
#include "support/LoopVolume.h"
#include "support/TempDir.h"
#include "support/app/WindowWidgets.h"

namespace quillane {
class AppModel;
class MainWindow;
}  // namespace quillane

namespace quillane::testing {

// How long a step may take: a loaded two-core machine copies, scans and mounts slowly.
constexpr int patience = 60'000;

// Waits, running events, until the condition holds (at most `patience`), then asserts it (a
// message may follow with <<).
#define EVENTUALLY(condition)                                                                          \
    if ((void)QTest::qWaitFor([&] { return static_cast<bool>(condition); }, ::quillane::testing::patience); \
        false) {                                                                                       \
    } else                                                                                             \
        ASSERT_TRUE(condition)
#define EVENTUALLY_EQ(actual, expected)                                                          \
    do {                                                                                         \
        (void)QTest::qWaitFor([&] { return (actual) == (expected); }, ::quillane::testing::patience); \
        ASSERT_EQ(actual, expected);                                                             \
    } while (false)

// Receives what the application hands the desktop's opener (files, folders, web pages).
class OpenedRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
    // From now on files are not opened, as on a desktop with no program for them. Qt ignores what
    // a handler answers: only a handler it cannot call makes the opener answer "could not open"
    // (Qt warns that the recorder has no such method).
    void refuseFiles() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "noProgramForThisFile"); }
public slots:
    void open(const QUrl& url) { opened << url; }
};

// Holds one write of the copy on a chosen file until the test lets it go: the copy is then
// certainly under way, however fast the machine, so the test can pause, stop, quit or pull a
// drive mid-copy.
class CopyGate {
public:
    void reach();    // the engine's side: waits (at most a minute) until open()
    void open();
    bool reached() const { return reached_; }

private:
    std::atomic<bool> reached_{false};
    std::atomic<bool> open_{false};
};

// The application as a crew starts it: the real main window over the real shell services, its
// data in a fresh home folder, with exFAT cards and ext4 SSDs on loop devices mounted under
// /media while it runs (the test program runs in a mount namespace of its own). Only the
// desktop's opener is a recorder.
class CrewRig {
public:
    // Why the walk can't run here (no root, no loop devices, no private namespace, no ffmpeg).
    static std::optional<std::string> unavailable();

    CrewRig();
    ~CrewRig();

    // Starts the application as main() does; quit() ends it as main() does after its event loop.
    void launch();
    void quit();
    MainWindow& window() const { return *window_; }
    // For checks only: tests act through the widgets.
    const AppModel& model() const { return *model_; }

    // A Sony card with `clips` real clips (C0001.MP4 …, C0002 over a megabyte, the others small)
    // and the XML a camera writes.
    LoopVolume& insertCard(const std::string& label, const std::string& serial, int clips);
    // An empty SSD (ext4, 96 MB).
    LoopVolume& plugSSD(const std::string& label);
    LoopVolume& volume(const std::string& label) { return *volumes_.at(label); }
    std::filesystem::path mountPoint(const std::string& label) const { return media_ / label; }
    // The card's files against their copies in `roll` on an SSD: same bytes, same dates.
    void expectCopied(const std::string& card, const std::filesystem::path& roll) const;

    OpenedRecorder opener;
    // How often the application reads its drives' free space again (set before launch()).
    std::chrono::milliseconds freeSpaceRefresh = ModelTimings{}.freeSpaceRefresh;

private:
    TempDir dir_{"quillane-e2e"};
    std::filesystem::path media_;
    std::map<std::string, std::unique_ptr<LoopVolume>> volumes_;
    std::unique_ptr<AppModel> model_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace quillane::testing
