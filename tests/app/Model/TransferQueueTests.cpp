// Cards waiting their turn: a second camera card added by hand and a sound card that follows its
// camera card, through the real engine.
#include <gtest/gtest.h>

#include "support/app/ModelRig.h"

namespace quillane {
namespace {

TEST(ModelQueue, TwoCameraCardsAndASoundCardRunInTurnUntilOneFails) {
    struct Case {
        const char* name;
        bool firstFails;
        std::vector<std::string> sources;  // the cards started, in order
    };
    const Case cases[] = {
        {"all good", false, {"A001_SONY", "ZOOM_F8", "B_CARD"}},
        {"the first card fails", true, {"A001_SONY"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ModelRig rig;
        const fs::path second = rig.root / "B_CARD";
        const fs::path sound = rig.root / "ZOOM_F8";
        testing::writeFile(second / "PRIVATE/M4ROOT/CLIP/C0001.MP4", std::string(150'000, 'c'));
        testing::writeFile(sound / "240611/T001.WAV", std::string(80'000, 's'));
        std::vector<DriveInfo> volumes = rig.all();
        volumes.push_back(testing::FakeVolume::card(second, "B_CARD", "CARD-2"));
        volumes.push_back(testing::FakeVolume::card(sound, "ZOOM_F8", "CARD-S"));
        FaultyFileIO faults;
        if (c.firstFails) faults.fail({FaultyFileIO::Call::write, "SSD_B/", EIO, 0, 0, true});

        AppModel& model = rig.model();
        ASSERT_TRUE(rig.startHeld(volumes));
        rig.harness.drain();  // the sound card's scan: it is queued behind its camera card
        ASSERT_EQ(model.queue().size(), 1u);
        EXPECT_EQ(model.queue()[0].roll, "S001");

        model.selectSource(std::string("CARD-2"));
        rig.harness.drain();
        ASSERT_TRUE(model.canEnqueue());
        model.enqueueSelected();
        ASSERT_EQ(model.queue().size(), 2u);
        const std::string secondRoll = model.queue()[1].roll;

        rig.harness.engines->gated = false;
        rig.harness.engines->openGates();
        ASSERT_TRUE(rig.waitFor([&] {
            return model.transferState() != TransferState::running && model.transferState() != TransferState::idle;
        }));

        std::vector<std::string> started;
        for (const TransferJob& job : rig.harness.engines->jobs) started.push_back(job.sourceName);
        EXPECT_EQ(started, c.sources);
        EXPECT_EQ(model.history().size(), c.sources.size());
        EXPECT_TRUE(model.queue().empty());
        ASSERT_EQ(rig.harness.notifications->posts.size(), 1u) << "one word at the end, not one per card";
        if (c.firstFails) {
            EXPECT_EQ(model.transferState(), TransferState::failed);
            ASSERT_TRUE(model.alert().has_value());
            EXPECT_EQ(model.alert()->title, "Queue paused");
            EXPECT_EQ(rig.harness.notifications->posts[0].title, "Transfer did not fully succeed");
            continue;
        }
        EXPECT_EQ(model.transferState(), TransferState::succeeded);
        EXPECT_EQ(rig.harness.notifications->posts[0].title, "Safely transferred");
        const std::vector<TransferJob>& jobs = rig.harness.engines->jobs;
        EXPECT_EQ(jobs[1].rollName, "S001");
        EXPECT_EQ(jobs[2].rollName, secondRoll);
        EXPECT_NE(jobs[2].rollName, jobs[0].rollName);
        for (const TransferJob& job : jobs)
            for (const TransferDestination& destination : job.destinations)
                for (const ScannedFile& file : job.files)
                    EXPECT_EQ(static_cast<std::int64_t>(fs::file_size(destination.rollURL / file.relativePath)),
                              file.size)
                        << destination.rollURL / file.relativePath;
        EXPECT_EQ(rig.harness.engines->mostAlive(), 1);
        EXPECT_EQ(rig.harness.power->mostHolds(), 1);
        EXPECT_EQ(rig.mostProgressTimers(), 1);
    }
}

// When the queued card's turn comes, its roll may have been taken meanwhile: it goes into the next
// free roll. A card that can't start at all stops the queue and says why.
TEST(ModelQueue, TheNextCardTakesAFreeRollOrStopsTheQueueSayingWhy) {
    enum class Meanwhile { rollInHistory, rollFolderHoldsFiles, ssdWithoutRoom };
    struct Case {
        const char* name;
        Meanwhile meanwhile;
        const char* roll;     // where the second card lands; empty: it does not start
        const char* message;  // of the alert that stops the queue
    };
    const Case cases[] = {
        {"roll recorded in the history", Meanwhile::rollInHistory, "A003", ""},
        {"roll folder holds files", Meanwhile::rollFolderHoldsFiles, "A003", ""},
        {"SSD without room", Meanwhile::ssdWithoutRoom, "", "B_CARD could not start: Not enough space on SSD_B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ModelRig rig;
        std::vector<DriveInfo> volumes = rig.all();
        volumes.push_back(rig.otherCard());
        AppModel& model = rig.model();
        ASSERT_TRUE(rig.startHeld(volumes));
        model.selectSource(std::string("CARD-2"));
        rig.harness.drain();
        model.enqueueSelected();
        ASSERT_EQ(model.queue().size(), 1u);
        ASSERT_EQ(model.queue()[0].roll, "A002");

        if (c.meanwhile == Meanwhile::rollInHistory) {
            TransferRecord record;
            record.project = "Alpha";
            record.roll = "A002";
            record.succeeded = true;
            rig.harness.stage().history({record});
        } else if (c.meanwhile == Meanwhile::rollFolderHoldsFiles) {
            const fs::path rolls = rig.harness.engines->jobs[0].destinations[0].rollURL.parent_path();
            testing::writeFile(rolls / "A002/NOTES.TXT", "notes");
        } else {
            rig.harness.space->set(rig.ssdB, 1000);
        }
        rig.harness.engines->gated = false;
        rig.harness.engines->openGates();
        const int runs = *c.roll ? 2 : 1;
        ASSERT_TRUE(rig.waitFor([&] {
            return rig.harness.engines->ended() == runs && model.transferState() != TransferState::running;
        }));

        ASSERT_EQ(rig.harness.engines->jobs.size(), static_cast<std::size_t>(runs));
        EXPECT_TRUE(model.queue().empty());
        if (*c.roll) {
            EXPECT_EQ(rig.harness.engines->jobs[1].rollName, c.roll);
            EXPECT_EQ(model.transferState(), TransferState::succeeded);
            EXPECT_FALSE(model.alert().has_value());
            continue;
        }
        ASSERT_TRUE(model.alert().has_value());
        EXPECT_EQ(model.alert()->title, "Queue paused");
        EXPECT_EQ(model.alert()->message, c.message);
    }
}

// The sound cards that will follow the selected camera card, with their S-rolls: a card already in
// the queue behind a paused run is not offered again under a second roll.
TEST(ModelQueue, SoundCompanionsLeaveOutCardsAlreadyQueued) {
    struct Case {
        const char* name;
        bool queued;  // ZOOM_F8 waits in the queue as S001
        std::vector<std::pair<std::string, std::string>> companions;
    };
    const Case cases[] = {
        {"nothing queued", false, {{"ZOOM_F8", "S001"}, {"MIXPRE", "S002"}}},
        {"one already queued", true, {{"MIXPRE", "S002"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::ModelHarness harness;
        AppModel& model = harness.make();
        const auto drive = [](const std::string& id, const std::string& token) {
            DriveState state;
            state.info.id = id;
            state.info.name = id;
            state.info.url = "/media/" + id;
            state.probe = ContentProbe{};
            state.classification.role = DriveRole::source;
            state.classification.camera = CameraMatch{"Camera", "", "", token};
            return state;
        };
        std::vector<QueueItem> queue;
        if (c.queued) queue.push_back({UUID::random(), "ZOOM_F8", "ZOOM_F8", "S001", {}, {}});
        SourceScan scan;
        scan.files.push_back({"C0001.MP4", 1000});
        harness.stage()
            .drives({drive("A001_SONY", "SONY"), drive("ZOOM_F8", "SOUND"), drive("MIXPRE", "SOUND")})
            .selectedSource("A001_SONY")
            .queue(queue)
            .scan(scan, ScanState::ready())
            .transfer(TransferState::paused);
        std::vector<std::pair<std::string, std::string>> companions;
        for (const auto& companion : model.soundCompanions()) companions.emplace_back(companion.name, companion.roll);
        EXPECT_EQ(companions, c.companions);
    }
}

}  // namespace
}  // namespace quillane
