#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>

#include "App/SelfTestLog.h"
#include "App/ShellServices.h"
#include "App/ShellCommands.h"
#include "App/SnapshotWaits.h"

using namespace quillane;
using namespace std::chrono_literals;

TEST(ShellCommands, TransferMenuFollowsTheModel) {
    struct Case {
        const char* name;
        TransferMenuFacts facts;
        bool changeProject, createFolders, demoIsStart, demoEnabled;
    };
    using T = TransferState;
    using D = DemoState;
    const std::vector<Case> cases = {
        {"idle, folders missing", {T::idle, D::off, true}, true, true, true, true},
        {"idle, nothing missing", {T::idle, D::off, false}, true, false, true, true},
        {"running", {T::running, D::on, true}, false, false, false, false},
        {"a paused job keeps the demo from starting", {T::paused, D::off, false, true}, true, false, true, false},
        {"a paused demo job may still stop the demo", {T::paused, D::on, false, true}, true, false, false, true},
        {"demo starting", {T::idle, D::starting, false}, true, false, false, false},
        {"demo on", {T::succeeded, D::on, false}, true, false, false, true},
        {"demo stopping", {T::idle, D::stopping, false}, true, false, false, false},
    };
    for (const Case& c : cases) {
        const TransferMenuStates s = transferMenuStates(c.facts);
        EXPECT_EQ(s.changeProject, c.changeProject) << c.name;
        EXPECT_EQ(s.createFolders, c.createFolders) << c.name;
        EXPECT_EQ(s.demoIsStart, c.demoIsStart) << c.name;
        EXPECT_EQ(s.demoEnabled, c.demoEnabled) << c.name;
    }
}

TEST(ShellCommands, QuitGuard) {
    for (TransferState state : {TransferState::idle, TransferState::running, TransferState::paused,
                                TransferState::succeeded, TransferState::failed, TransferState::cancelled}) {
        EXPECT_EQ(quitNeedsConfirmation(true, state), state == TransferState::running);
        EXPECT_FALSE(quitNeedsConfirmation(false, state));
    }
}

TEST(SelfTestLog, Lines) {
    TransferRecord record("Quillane self-test", "A001", 1, "FX3_CARD", std::nullopt, "f", 12, 1'000'000,
                          std::chrono::system_clock::now(), {{"SSD_1", "/media/SSD_1/P/A001", true}}, true);
    TransferRecord empty = record;
    empty.destinations.clear();
    empty.succeeded = false;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {SelfTestLog::startLine("A001", "FX3_CARD", 2'500'000'000, {"SSD_2", "SSD_1"}, {"P", "A001"}),
         "start A001 from FX3_CARD 2.5 GB → [\"SSD_1\", \"SSD_2\"] path=[\"P\", \"A001\"]"},
        {SelfTestLog::queuedLine("A003", "A002", {"P", "A002"}), "queued A003 as A002 path=[\"P\", \"A002\"]"},
        {SelfTestLog::queuedLine("A003", std::nullopt, {}), "queued A003 as ? path=[]"},
        {SelfTestLog::startedAfterLine("A003", "A002", {"P", "A002"}),
         "started A003 as A002 after the first card path=[\"P\", \"A002\"]"},
        {SelfTestLog::historyLine(record), "history: A001 FX3_CARD ok=true files=12 → /media/SSD_1/P/A001"},
        {SelfTestLog::historyLine(empty), "history: A001 FX3_CARD ok=false files=12 → "},
        {SelfTestLog::searchLine("A001", "XDROOT/Clip/C0004.MP4", {{"SSD_1", true}, {"SSD_2", false}}),
         "search C0004: A001 XDROOT/Clip/C0004.MP4 → [\"SSD_1:true\", \"SSD_2:false\"]"},
        {SelfTestLog::reportLine(std::nullopt, std::nullopt), "report: -  mhl: -"},
        {SelfTestLog::reportLine("/r.html", "/m.mhl"), "report: /r.html  mhl: /m.mhl"},
        {SelfTestLog::freeLine("SSD_1", 1'412'000'000'000), "free: SSD_1 1.41 TB"},
        {SelfTestLog::joined({"a", "b", "done, state=succeeded"}), "a\nb\ndone, state=succeeded"},
    };
    for (const auto& [line, expected] : cases) EXPECT_EQ(line, expected);
    EXPECT_EQ(SelfTestLog::percent(0.999), 99);
    EXPECT_EQ(SelfTestLog::percent(std::nullopt), 0);
}

TEST(SnapshotWaits, ContinuesWhenTheConditionHoldsAndTimesOutOtherwise) {
    SnapshotWaits waits(10ms);
    int checks = 0;
    bool done = false, timedOut = false;
    waits.waitFor([&] { return ++checks == 3; }, 5s, [&] { done = true; }, [&] { timedOut = true; });
    bool never = false, neverTimedOut = false;
    QElapsedTimer clock;
    clock.start();
    waits.waitFor([] { return false; }, 80ms, [&] { never = true; }, [&] { neverTimedOut = true; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done && neverTimedOut; }, 5000));
    EXPECT_TRUE(done);
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(checks, 3);
    EXPECT_TRUE(neverTimedOut);
    EXPECT_FALSE(never);
    EXPECT_GE(clock.elapsed(), 80);

    bool stopped = false;
    waits.waitFor([] { return false; }, 30ms, [] {}, [&] { stopped = true; });
    EXPECT_EQ(waits.running(), 1);
    waits.stopAll();
    QTest::qWait(100);
    EXPECT_FALSE(stopped);
    EXPECT_EQ(waits.running(), 0);
}

// Outside snapshot mode every seam the model calls is a service of this machine: none is left to
// the model's stand-ins, which answer nothing (no folder chosen, nothing opened, nothing ejected).
TEST(ShellServices, EverySeamTheModelCallsIsReal) {
    const ModelServices services = shellServices(false);
    const std::pair<const char*, const void*> seams[] = {
        {"volumes", services.volumes.get()},     {"power", services.power.get()},
        {"notifications", services.notifications.get()}, {"feedback", services.feedback.get()},
        {"desktop", services.desktop.get()},     {"ejector", services.ejector.get()},
        {"folderPicker", services.folderPicker.get()},
    };
    for (const auto& [name, service] : seams) EXPECT_NE(service, nullptr) << name;
}
