#include <gtest/gtest.h>

#include <thread>

#include "support/app/ModelRig.h"

namespace quillane {
namespace {

TEST(ModelTransfer, OneCardToTwoSSDsCopiesVerifiesAndRecords) {
    struct Case {
        bool verify;
        const char* title;
        const char* says;  // how the notification words the copies
    };
    for (const Case& c : {Case{true, "Safely transferred", "is verified on 2 SSDs"},
                          Case{false, "Transferred", "is copied to 2 SSDs, without verification"}}) {
        SCOPED_TRACE(c.title);
        ModelRig rig;
        AppModel& model = rig.model();
        model.changeSettings([&](AppSettings& settings) { settings.verifyAfterCopy = c.verify; });
        rig.mountAll();
        ASSERT_EQ(model.blockReason(), std::nullopt);
        ASSERT_TRUE(rig.transferAndWait());
        EXPECT_EQ(model.transferState(), TransferState::succeeded);
        ASSERT_EQ(model.transferRollURLs().size(), 2u);
        for (const fs::path& roll : model.transferRollURLs()) {
            EXPECT_EQ(testing::readFile(roll / "PRIVATE/M4ROOT/CLIP/C0001.MP4"), std::string(300'000, 'a'));
            EXPECT_TRUE(fs::exists(roll / "PRIVATE/M4ROOT/MEDIAPRO.XML"));
        }
        ASSERT_TRUE(model.lastResult().has_value());
        for (const DestinationResult& destination : model.lastResult()->destinations) {
            EXPECT_TRUE(destination.mhlURL && fs::exists(*destination.mhlURL));
            EXPECT_TRUE(destination.reportURL && fs::exists(*destination.reportURL));
        }
        ASSERT_EQ(model.history().size(), 1u);
        EXPECT_EQ(model.history()[0].roll, model.transferRollURLs()[0].filename().string());
        EXPECT_EQ(model.history()[0].destinations[0].volumeID, std::optional<std::string>("SSD-A"));
        const auto saved = JSONStore<std::vector<TransferRecord>>("history.json", rig.harness.store.path()).load();
        ASSERT_TRUE(saved.has_value());
        EXPECT_EQ(saved->size(), 1u);
        EXPECT_TRUE(fs::exists(rig.harness.store / "catalog" / (model.history()[0].id.text() + ".json")));
        ASSERT_EQ(rig.harness.notifications->posts.size(), 1u);
        EXPECT_EQ(rig.harness.notifications->posts[0].title, c.title);
        EXPECT_NE(rig.harness.notifications->posts[0].body.find(c.says), std::string::npos);
        EXPECT_EQ(rig.harness.power->holds(), 0) << "keep-awake released at the end";
        EXPECT_EQ(model.transferredSourceIDs().count("CARD-1"), 1u);
    }
}

TEST(ModelTransfer, NoSecondEngineFromAnyStartingPath) {
    ModelRig rig;
    AppModel& model = rig.model();
    ASSERT_TRUE(rig.startHeld());
    // Every road to a start while one runs: the button, the folder sheet, a resume alert.
    model.requestTransfer();
    model.requestFolders(true, true);
    model.approveFolderRequest();
    rig.harness.settle();
    EXPECT_EQ(rig.harness.engines->jobs.size(), 1u);
    rig.harness.engines->openGates();
    ASSERT_TRUE(rig.waitFor([&] { return model.transferState() != TransferState::running; }));
    EXPECT_EQ(rig.harness.engines->mostAlive(), 1);
}

// A copy paused in the middle of a clip, by hand or because the computer goes to sleep, goes on
// in the same roll folders: after the wake wait once its drives are there (also when the copy
// was still stopping as the wait ended), when a missing drive comes back, or (by hand) only when
// TRANSFER is pressed again.
TEST(ModelTransfer, APausedCopyGoesOnInItsOwnRollFolders) {
    struct Case {
        const char* name;
        bool bySleep;
        const char* missingAtWake;  // a volume gone while asleep; empty: none
        bool stopsLate;             // the engine stops only after the wake wait
    };
    const Case cases[] = {
        {"paused by hand", false, "", false},
        {"asleep, every drive there at wake", true, "", false},
        {"asleep, the copy still stopping when the wake wait ends", true, "", true},
        {"asleep, an SSD gone at wake", true, "SSD_B", false},
        {"asleep, the card gone at wake", true, "A001_SONY", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FaultyFileIO faults;
        ModelRig rig;
        AppModel& model = rig.model();
        testing::RecordingNotifications& notifications = *rig.harness.notifications;
        const std::chrono::milliseconds wakeWait = rig.harness.timings.wakeCheck;
        rig.holdMidFile(faults);
        rig.stopLate = c.stopsLate;
        rig.mountAll();
        rig.tapTransfer();
        ASSERT_TRUE(rig.waitFor([&] { return rig.midFile.load(); }));
        if (!c.bySleep) {
            model.pauseTransfer();
        } else {
            rig.harness.power->sleep();
            // The handler returns once the engine has stopped (or its wait ran out): the clip it
            // held is cleared away.
            if (!c.stopsLate)
                for (const fs::path& roll : model.transferRollURLs()) rig.expectNoIncompleteCopy(roll);
        }
        const auto woke = std::chrono::steady_clock::now();
        if (c.stopsLate) {
            rig.harness.power->wake();
            rig.idle(2 * wakeWait);
            ASSERT_EQ(model.transferState(), TransferState::running);
            rig.stopLate = false;  // the pause arrives after the wake check
        } else {
            ASSERT_TRUE(rig.waitForState(TransferState::paused));
            EXPECT_EQ(model.pausedBySleep(), c.bySleep);
            if (*c.missingAtWake) rig.mount(rig.allBut(c.missingAtWake));
            if (!c.bySleep) {
                // Neither waking nor drives coming and going resume a pause by hand.
                rig.harness.power->sleep();
                rig.mount(rig.allBut("SSD_B"));
                rig.mount(rig.all());
            }
            rig.harness.power->wake();
        }
        if (*c.missingAtWake || !c.bySleep) {
            rig.idle(3 * wakeWait);
            EXPECT_EQ(model.transferState(), TransferState::paused);
            EXPECT_EQ(rig.harness.engines->jobs.size(), 1u);
            ASSERT_EQ(notifications.posts.size(), *c.missingAtWake ? 2u : 1u);
        }
        if (*c.missingAtWake) {
            EXPECT_EQ(notifications.posts[1].title, "Transfer is waiting for your drives");
            EXPECT_EQ(notifications.posts[1].body,
                      "Reconnect " + std::string(c.missingAtWake) + "; Quillane then continues by itself.");
            EXPECT_EQ(notifications.posts[1].kind, NotificationKind::info);
            rig.mount(rig.all());  // resumes as soon as the drive is there
        } else if (!c.bySleep) {
            model.requestTransfer();
        }
        ASSERT_TRUE(rig.waitFor([&] { return rig.harness.engines->jobs.size() == 2; }));
        if (c.bySleep && !*c.missingAtWake) {
            EXPECT_GE(std::chrono::steady_clock::now() - woke, wakeWait) << "resumed before the wake wait";
        }
        ASSERT_TRUE(rig.waitForState(TransferState::succeeded));
        ASSERT_EQ(notifications.posts.size(), *c.missingAtWake ? 3u : 2u);
        EXPECT_EQ(notifications.posts[0].body,
                  c.bySleep ? "A001 continues when this computer wakes up." : "A001 is paused.");

        const std::vector<TransferJob>& jobs = rig.harness.engines->jobs;
        EXPECT_EQ(jobs[1].rollName, jobs[0].rollName);
        ASSERT_EQ(jobs[1].destinations.size(), 2u);
        for (std::size_t i = 0; i < 2; ++i) {
            EXPECT_EQ(jobs[1].destinations[i].rollURL, jobs[0].destinations[i].rollURL);
            rig.expectNoIncompleteCopy(jobs[1].destinations[i].rollURL);
            EXPECT_TRUE(fs::exists(jobs[1].destinations[i].rollURL / "PRIVATE/M4ROOT/CLIP/C0001.MP4"));
        }
        EXPECT_FALSE(model.pausedTransfer().has_value());
        EXPECT_EQ(model.history().size(), 1u);
        // One of each at a time, all the way through.
        EXPECT_EQ(rig.harness.engines->mostAlive(), 1);
        EXPECT_EQ(rig.harness.power->mostHolds(), 1);
        EXPECT_EQ(rig.mostProgressTimers(), 1);
        EXPECT_EQ(rig.harness.power->holds(), 0);
    }
}

// A pause that comes while the engine writes the report, after every copy was read back and
// vouched for: the run is finished, and the model records it as such.
TEST(ModelTransfer, APauseAfterEveryCopyWasVerifiedLeavesTheRunFinished) {
    for (const bool bySleep : {false, true}) {
        SCOPED_TRACE(bySleep ? "will-sleep" : "by hand");
        FaultyFileIO faults;
        ModelRig rig;
        AppModel& model = rig.model();
        std::atomic<bool> atReport = false;
        faults.fail({.call = FaultyFileIO::Call::rename,
                     .pathContains = "A001_report.html",
                     .error = 0,
                     .once = true,
                     .before = [&] {
                         const int stops = rig.harness.engines->stops();
                         atReport = true;
                         const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
                         while (rig.harness.engines->stops() == stops && std::chrono::steady_clock::now() < limit)
                             std::this_thread::sleep_for(std::chrono::milliseconds(1));
                     }});
        rig.mountAll();
        rig.tapTransfer();
        ASSERT_TRUE(rig.waitFor([&] { return atReport.load(); }));
        if (bySleep) rig.harness.power->sleep();
        else model.pauseTransfer();
        ASSERT_TRUE(rig.waitFor([&] { return model.transferState() != TransferState::running; }));
        EXPECT_EQ(model.transferState(), TransferState::succeeded);
        EXPECT_FALSE(model.pausedTransfer().has_value());
        EXPECT_FALSE(model.pausedBySleep());
        ASSERT_EQ(model.history().size(), 1u);
        EXPECT_TRUE(model.history()[0].succeeded);
        ASSERT_EQ(rig.harness.notifications->posts.size(), 1u);
        EXPECT_EQ(rig.harness.notifications->posts[0].title, "Safely transferred");
        for (const DestinationResult& destination : model.lastResult()->destinations)
            EXPECT_TRUE(destination.reportURL && fs::exists(*destination.reportURL));
        // Waking finds nothing to resume: no second run, no second manifest generation.
        rig.harness.power->wake();
        rig.idle(3 * rig.harness.timings.wakeCheck);
        EXPECT_EQ(rig.harness.engines->jobs.size(), 1u);
        EXPECT_EQ(model.transferState(), TransferState::succeeded);
    }
}

// A resume continues the paused job as it was: its project and shoot day, also after another
// project was chosen or on the next calendar day, and the room it needs is what is still missing;
// a resume without that room stays paused.
TEST(ModelTransfer, AResumeGoesOnAsItsPausedJob) {
    enum class Room { plenty, forTheRestOnly, none };
    struct Case {
        const char* name;
        bool nextDay;
        Room room;
        const char* projectMeanwhile = nullptr;
    };
    const Case cases[] = {
        {"the next day, one folder per shoot day", true, Room::plenty},
        {"room only for what is still missing", false, Room::forTheRestOnly},
        {"no room even for that", false, Room::none},
        {"after another project was chosen", false, Room::plenty, "Beta"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ModelRig rig;
        AppModel& model = rig.model();
        model.changeSettings([](AppSettings& settings) {
            settings.folderTemplate = FolderTemplate::fromLevels({"{PROJECT}", "DAY_{DAY}", "{ROLL}"});
        });
        // Day 2 of the shoot began today.
        rig.harness.stage().history({TransferRecord("Alpha", "B001", 2, "B_CARD", std::nullopt, "fp", 1, 4,
                                                    rig.harness.now, {}, true)});
        ASSERT_TRUE(rig.startHeld());
        ASSERT_TRUE(rig.pause(false));
        const fs::path pausedRoll = rig.harness.engines->jobs[0].destinations[1].rollURL;
        EXPECT_EQ(pausedRoll.parent_path().filename(), "DAY_02");
        // The clips made it before the pause; only MEDIAPRO.XML is missing.
        for (const TransferDestination& destination : rig.harness.engines->jobs[0].destinations)
            for (const char* clip : {"C0001.MP4", "C0002.MP4"})
                fs::copy_file(rig.card / "PRIVATE/M4ROOT/CLIP" / clip, destination.rollURL / "PRIVATE/M4ROOT/CLIP" / clip);
        if (c.nextDay) rig.harness.now += std::chrono::hours(24);
        const std::int64_t room = c.room == Room::forTheRestOnly ? AppModel::spaceMargin + 100'000 : 100'000;
        if (c.room != Room::plenty) rig.harness.space->set(rig.ssdB, room);
        if (c.projectMeanwhile) model.setProject(c.projectMeanwhile);

        rig.harness.engines->gated = false;
        model.resumeTransfer();
        if (c.room == Room::none) {
            rig.harness.drain();
            EXPECT_EQ(model.transferState(), TransferState::paused);
            EXPECT_TRUE(model.pausedTransfer().has_value()) << "the pause stays to be resumed later";
            EXPECT_EQ(model.blockReason(), std::optional<std::string>("Not enough space on SSD_B"));
            EXPECT_EQ(rig.harness.engines->jobs.size(), 1u);
            rig.harness.space->set(rig.ssdB, std::nullopt);  // room made: the drive's own figure counts
            model.resumeTransfer();
        }
        ASSERT_TRUE(rig.waitForState(TransferState::succeeded))
            << (model.alert() ? model.alert()->message : model.blockReason().value_or("-"));
        ASSERT_EQ(rig.harness.engines->jobs.size(), 2u);
        EXPECT_EQ(rig.harness.engines->jobs[1].destinations[1].rollURL, pausedRoll);
        rig.expectNoIncompleteCopy(pausedRoll);
        ASSERT_EQ(model.history().size(), 2u);
        for (const TransferRecord& record : model.history()) {
            EXPECT_EQ(record.shootDay, std::optional<int>(2));
            EXPECT_EQ(record.project, "Alpha");
        }
        EXPECT_EQ(rig.harness.engines->jobs[1].projectName, "Alpha");
    }
}

// With the card's reel name off the roll is counted: after Stop the roll folder holds files, so
// counting alone would move on to A002; the same card goes back into A001.
TEST(ModelTransfer, AfterStopTheSameCardGoesBackIntoTheStoppedRollFolder) {
    ModelRig rig;
    AppModel& model = rig.model();
    model.changeSettings([](AppSettings& settings) { settings.useCardReelName = false; });
    ASSERT_TRUE(rig.startHeld());
    const fs::path stoppedRoll = rig.harness.engines->jobs[0].destinations[0].rollURL;
    EXPECT_EQ(stoppedRoll.filename(), "A001");
    model.cancelTransfer();
    ASSERT_TRUE(model.alert().has_value());
    model.closeAlert(model.alert()->id, true);
    ASSERT_TRUE(rig.waitForState(TransferState::cancelled));
    EXPECT_TRUE(model.history().empty()) << "a stopped run records nothing";
    testing::writeFile(stoppedRoll / "PRIVATE/M4ROOT/CLIP/C0001.MP4", std::string(300'000, 'a'));

    rig.harness.engines->gated = false;
    model.refreshPlans();
    EXPECT_EQ(model.rollName(), "A001");
    rig.tapTransfer();
    ASSERT_TRUE(model.alert().has_value()) << "the resume question: what is there gets checked";
    model.closeAlert(model.alert()->id, true);
    ASSERT_TRUE(rig.waitForState(TransferState::succeeded));
    EXPECT_EQ(rig.harness.engines->jobs.back().destinations[0].rollURL, stoppedRoll);
}

// The model going away (the program quits) in the middle of a clip, or while a copy is paused:
// the engine is stopped and joined, no partial file stays on an SSD, the history holds no
// copy, and the next start knows nothing of the pause.
TEST(ModelTransfer, DestroyingTheModelMidCopyLeavesNoPartialFileAndAConsistentHistory) {
    for (const bool paused : {false, true}) {
        SCOPED_TRACE(paused ? "paused" : "mid-file");
        FaultyFileIO faults;
        ModelRig rig;
        rig.holdMidFile(faults);
        rig.mountAll();
        rig.tapTransfer();
        ASSERT_TRUE(rig.waitFor([&] { return rig.midFile.load(); }));
        if (paused) {
            ASSERT_TRUE(rig.pause(false));
        }
        const std::vector<fs::path> rolls = rig.model().transferRollURLs();
        rig.harness.destroy();
        EXPECT_EQ(rig.harness.engines->alive(), 0) << "no engine outlives the model";
        EXPECT_EQ(rig.harness.power->holds(), 0);
        ASSERT_EQ(rolls.size(), 2u);
        for (const fs::path& roll : rolls) rig.expectNoIncompleteCopy(roll);

        AppModel& next = rig.harness.make();
        next.setProject("Alpha");
        next.start();
        rig.mountAll();
        EXPECT_TRUE(next.history().empty());
        EXPECT_FALSE(next.pausedTransfer().has_value());
        EXPECT_EQ(next.transferState(), TransferState::idle);
        EXPECT_EQ(next.blockReason(), std::nullopt) << "the card is offered as a new transfer";
    }
}

}  // namespace
}  // namespace quillane
