#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <map>
#include <thread>

#include "App/SelfTest.h"
#include "App/SelfTestLog.h"
#include "App/SnapshotRenderer.h"
#include "App/SnapshotCapture.h"
#include "support/FaultyFileIO.h"
#include "support/Scopes.h"
#include "support/TempDir.h"
#include "support/app/ModelHarness.h"

// The self-test inside this process, over a model with fake services, real scans and the real
// (or, for demo cards, simulated) transfer: the whole flow and the lines it writes.
namespace quillane {
namespace {

namespace fs = std::filesystem;
using testing::FakeVolume;
using testing::ModelHarness;

struct SelfTestRun {
    std::vector<std::string> log;
    QString text;  // simulation.txt as written
    bool pausedShot = false, simulatedShot = false;
    bool succeeded = false;  // what the exit status reports
};

SelfTestRun runSelfTest(ModelHarness& harness, Snapshot::Options options, const std::function<void(AppModel&)>& stage) {
    AppModel& model = harness.make();
    model.start();
    stage(model);
    harness.drain();
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("selftest"));
    options.directory = out.toStdString();
    Snapshot::Camera camera(out);
    camera.settleMs = 30;
    SelfTest test(model, options, camera);
    test.resultDelayMs = 50;
    bool finished = false;
    QObject::connect(&test, &SelfTest::finished, [&] { finished = true; });
    test.start();
    EXPECT_TRUE(harness.waitUntil([&] { return finished; }, std::chrono::seconds(90)));
    harness.settle();  // the last shot's view goes while the model is still there
    SelfTestRun run;
    run.log = test.log();
    run.succeeded = test.succeeded();
    QFile file(out + QStringLiteral("/simulation.txt"));
    if (file.open(QIODevice::ReadOnly)) run.text = QString::fromUtf8(file.readAll());
    run.pausedShot = QFile::exists(out + QStringLiteral("/paused.png"));
    run.simulatedShot = QFile::exists(out + QStringLiteral("/simulated.png"));
    return run;
}

// The lines themselves are checked on the application's own runs (SnapshotRun); here the model's
// side of the same flow: what was selected, queued, simulated and recorded.
TEST(SelfTestFlow, DemoCardsGoThroughTheQueueAndThePause) {
    testing::LanguageScope language(AppLanguage::en);
    struct Case {
        bool pauseTest;
        std::string last;
        std::vector<std::string> cards;  // the cards recorded, at least these
    };
    const Case cases[] = {
        {false, "done, state=succeeded", {"FX6_CARD", "ARRI_CARD"}},
        {true, "pause test done", {"FX6_CARD"}},
    };
    for (const Case& c : cases) {
        ModelHarness harness(true);
        harness.timings.demoTransferSeconds = 1.5;
        Snapshot::Options options;
        options.demo = true;
        options.pauseTest = c.pauseTest;
        const SelfTestRun run = runSelfTest(harness, options, [](AppModel&) {});
        AppModel& model = harness.model();
        ASSERT_FALSE(run.log.empty());
        EXPECT_EQ(run.log.back(), c.last) << SelfTestLog::joined(run.log);
        EXPECT_TRUE(run.succeeded);
        EXPECT_EQ(run.text.toStdString(), SelfTestLog::joined(run.log));
        EXPECT_TRUE(run.simulatedShot);
        EXPECT_EQ(run.pausedShot, c.pauseTest);

        // Every run was simulated, the first from the first card; nothing is left queued or running.
        ASSERT_FALSE(harness.engines->jobs.empty());
        for (const auto& chosen : harness.engines->options) EXPECT_TRUE(chosen.simulated);
        EXPECT_EQ(harness.engines->jobs.front().sourceName, "FX6_CARD");
        EXPECT_TRUE(model.queue().empty());
        EXPECT_FALSE(model.runningJob());
        EXPECT_EQ(model.transferState(), TransferState::succeeded);
        std::map<std::string, std::string> rollOfCard;
        for (const TransferRecord& record : model.history()) {
            EXPECT_TRUE(record.succeeded) << record.roll;
            EXPECT_EQ(record.project, AppModel::demoProjectName);
            rollOfCard[record.sourceName] = record.roll;
        }
        for (const std::string& card : c.cards) EXPECT_TRUE(rollOfCard.contains(card)) << card;
        if (c.pauseTest) continue;
        // The queued line names the second card's own roll, though a sound card went along.
        EXPECT_NE(std::find_if(run.log.begin(), run.log.end(),
                               [&](const std::string& line) {
                                   return line.rfind("queued ARRI_CARD as " + rollOfCard["ARRI_CARD"] + " ", 0) == 0;
                               }),
                  run.log.end())
            << SelfTestLog::joined(run.log);
    }
}

// The snapshot driver runs once, however often it is called, and the self-test it starts
// finishes once: one log, one last line, one finished signal.
TEST(SelfTestFlow, TheDriverStartsTheSelfTestOnceAndItFinishesOnce) {
    testing::LanguageScope language(AppLanguage::en);
    ModelHarness harness(true);
    harness.timings.demoTransferSeconds = 1.5;
    AppModel& model = harness.make();
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("selftest"));
    Snapshot::Options options;
    options.directory = out.toStdString();
    options.demo = true;
    options.simulate = true;
    SnapshotRenderer renderer(model, options);
    renderer.scriptDelayMs = 0;
    renderer.run();
    renderer.run();
    int finishes = 0;
    ASSERT_TRUE(harness.waitUntil([&] { return !renderer.findChildren<SelfTest*>().empty(); }));
    for (SelfTest* test : renderer.findChildren<SelfTest*>()) {
        test->resultDelayMs = 50;
        QObject::connect(test, &SelfTest::finished, [&] { ++finishes; });
    }
    ASSERT_TRUE(harness.waitUntil([&] { return finishes > 0; }, std::chrono::seconds(90)));
    harness.waitUntil([] { return false; }, std::chrono::milliseconds(500));
    EXPECT_EQ(renderer.findChildren<SelfTest*>().size(), 1u);
    EXPECT_EQ(finishes, 1);
    QFile file(out + QStringLiteral("/simulation.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    EXPECT_EQ(lines.filter(QStringLiteral("done, state=")).size(), 1) << lines.join('\n').toStdString();
    EXPECT_EQ(lines.back(), QStringLiteral("done, state=succeeded"));
}

// The pause check's resume that shows no running copy within its limit ends the run with
// TIMEOUT, and the run stays ended when that copy completes afterwards: the wait for the resumed
// copy's end, which ran beside the one that timed out, ends with the run and never finishes it a
// second time.
TEST(SelfTestFlow, AResumeThatStartsLateEndsTheRunOnceWithItsTimeout) {
    testing::LanguageScope language(AppLanguage::en);
    testing::TempDir fx3, a003, ssd1, ssd2;
    for (int i = 1; i <= 8; ++i)
        testing::writeFile(fx3.path() / ("PRIVATE/M4ROOT/CLIP/C000" + std::to_string(i) + ".MP4"),
                           std::string(64 * 1024, static_cast<char>('a' + i)));
    testing::writeFile(a003.path() / "PRIVATE/M4ROOT/CLIP/C0001.MP4", std::string(4096, 'x'));
    ModelHarness harness;  // background work (the scans) runs only when this test lets it
    // The copy holds on its first write of C0006 (five of eight clips are in, more than a quarter
    // of the work) until the self-test has paused it; then the pause lands.
    testing::FaultyFileIO io;
    io.fail({.call = testing::FaultyFileIO::Call::write,
             .pathContains = "CLIP/.C0006.MP4",
             .error = 0,
             .once = true,
             .before = [&harness] {
                 const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
                 while (harness.engines->stops() == 0 && std::chrono::steady_clock::now() < limit)
                     std::this_thread::sleep_for(std::chrono::milliseconds(1));
             }});
    AppModel& model = harness.make();
    model.start();
    harness.volumes->push({FakeVolume::card(fx3.path(), "FX3_CARD", "UUID-C1"),
                           FakeVolume::card(a003.path(), "A003", "UUID-C2"),
                           FakeVolume::ssd(ssd1.path(), "SSD_1", "UUID-S1"),
                           FakeVolume::ssd(ssd2.path(), "SSD_2", "UUID-S2")});
    harness.drain();
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("selftest"));
    Snapshot::Options options;
    options.directory = out.toStdString();
    options.pauseTest = true;
    Snapshot::Camera camera(out);
    camera.settleMs = 30;
    SelfTest test(model, options, camera);
    int finishes = 0;
    QObject::connect(&test, &SelfTest::finished, [&] { ++finishes; });
    const auto lines = [&](const std::string& prefix) {
        return std::count_if(test.log().begin(), test.log().end(),
                             [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
    };
    test.start();

    // The condition is looked at before each round of background work: the rescan that the
    // resume starts after the paused shot stays waiting.
    ASSERT_TRUE(harness.waitUntil([&] { return lines("state paused") > 0; }, std::chrono::seconds(60)))
        << SelfTestLog::joined(test.log());
    // The rescan of a slow card: the resumed copy is not running when its wait runs out.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90);
    while (finishes == 0 && std::chrono::steady_clock::now() < deadline) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        model.flushChanges();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ASSERT_EQ(finishes, 1) << SelfTestLog::joined(test.log());
    EXPECT_EQ(test.log().back(), "TIMEOUT");
    EXPECT_GT(harness.work->pending(), 0u);

    // The rescan ends and the resumed copy completes; every wait the run started has ended.
    const auto waiting = [&] {
        const auto timers = test.findChildren<QTimer*>();
        return std::any_of(timers.begin(), timers.end(), [](const QTimer* timer) { return timer->isActive(); });
    };
    ASSERT_TRUE(harness.waitUntil(
        [&] { return model.transferState() == TransferState::succeeded && !model.history().empty() && !waiting(); },
        std::chrono::seconds(60)));
    EXPECT_TRUE(model.history().front().succeeded);
    harness.settle();
    EXPECT_EQ(test.log().back(), "TIMEOUT") << SelfTestLog::joined(test.log());
    EXPECT_EQ(lines("TIMEOUT"), 1);
    EXPECT_EQ(lines("resumed"), 0) << SelfTestLog::joined(test.log());
    EXPECT_EQ(lines("pause test done"), 0);
    EXPECT_EQ(finishes, 1);
    EXPECT_FALSE(test.succeeded());
}

TEST(SelfTestFlow, EndsWithoutCopyingWhenTheDrivesAreNotTheExpectedOnes) {
    testing::TempDir fx3, a003, ssd1, ssd2, twin, twinCard, extra;
    for (const fs::path& card : {fx3.path(), a003.path(), twinCard.path()})
        testing::writeFile(card / "PRIVATE/M4ROOT/CLIP/C0001.MP4", std::string(4096, 'x'));
    struct Case {
        std::vector<DriveInfo> volumes;
        std::string last;
    };
    const Case cases[] = {
        {{FakeVolume::ssd(ssd1.path(), "SSD_1", "UUID-S1")}, "test cards not mounted"},
        {{FakeVolume::card(fx3.path(), "FX3_CARD", "UUID-C1"), FakeVolume::card(a003.path(), "A003", "UUID-C2"),
          FakeVolume::ssd(ssd1.path(), "SSD_1", "UUID-S1"), FakeVolume::ssd(extra.path(), "SPARE", "UUID-S3")},
         "unsafe destinations: [\"SSD_1\"]"},
        // Two volumes with one name: both would be written, or either card picked.
        {{FakeVolume::card(fx3.path(), "FX3_CARD", "UUID-C1"), FakeVolume::card(a003.path(), "A003", "UUID-C2"),
          FakeVolume::ssd(ssd1.path(), "SSD_1", "UUID-S1"), FakeVolume::ssd(ssd2.path(), "SSD_2", "UUID-S2"),
          FakeVolume::ssd(twin.path(), "SSD_1", "UUID-S4")},
         "unsafe destinations: [\"SSD_1\", \"SSD_1\", \"SSD_2\"]"},
        {{FakeVolume::card(fx3.path(), "FX3_CARD", "UUID-C1"), FakeVolume::card(a003.path(), "A003", "UUID-C2"),
          FakeVolume::card(twinCard.path(), "A003", "UUID-C3"), FakeVolume::ssd(ssd1.path(), "SSD_1", "UUID-S1"),
          FakeVolume::ssd(ssd2.path(), "SSD_2", "UUID-S2")},
         "unsafe sources: [\"A003\"]"},
    };
    for (const Case& c : cases) {
        ModelHarness harness(true);
        const SelfTestRun run = runSelfTest(harness, Snapshot::Options{}, [&](AppModel&) { harness.volumes->push(c.volumes); });
        ASSERT_FALSE(run.log.empty());
        EXPECT_EQ(run.log.back(), c.last);
        EXPECT_FALSE(run.succeeded) << c.last;
        EXPECT_EQ(harness.engines->jobs.size(), 0u);
        EXPECT_EQ(harness.model().projectName(), SelfTest::projectName);
        // The spare SSD is switched off for the run, never planned.
        for (const DriveState& drive : harness.model().destinations()) {
            if (drive.info.name == "SPARE") {
                EXPECT_TRUE(harness.model().excludedDestinationIDs().contains(drive.info.id));
            }
        }
    }
}

}  // namespace
}  // namespace quillane
