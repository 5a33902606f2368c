// Drives and cards that fail or vanish while a transfer runs or waits: each ends in a clear state
// and message, and nothing is recorded as a complete copy that is not one.
#include <gtest/gtest.h>

#include <sys/statvfs.h>

#include <fstream>

#include "support/TmpfsMount.h"
#include "support/app/ModelRig.h"

namespace quillane {
namespace {

// Leaves about `room` bytes free on the file system holding `folder`.
void fillUpTo(const fs::path& folder, std::int64_t room) {
    struct statvfs stats {};
    ASSERT_EQ(::statvfs(folder.c_str(), &stats), 0);
    const std::int64_t free = static_cast<std::int64_t>(stats.f_bavail) * static_cast<std::int64_t>(stats.f_frsize);
    ASSERT_GT(free, room);
    std::ofstream filler(folder / "filler.bin", std::ios::binary);
    const std::string block(4096, 'f');
    for (std::int64_t left = free - room; left > 0; left -= static_cast<std::int64_t>(block.size()))
        filler.write(block.data(), static_cast<std::streamsize>(std::min<std::int64_t>(left, block.size())));
}

enum class Trouble { ssdFills, ssdPulled, cardPulled };

TEST(ModelTransferTrouble, AFailingDriveOrCardMidCopyEndsFailedAndRecordsOnlyWholeCopies) {
    struct Case {
        const char* name;
        Trouble trouble;
        bool ssdASucceeds;
        const char* ssdBError;     // SSD_B's own error; empty: none
        const char* sourceError;   // what stopped the run on the card; empty: none
    };
    const Case cases[] = {
        {"second SSD fills up", Trouble::ssdFills, true, "Write error on SSD_B: No space left on device", ""},
        {"second SSD pulled", Trouble::ssdPulled, true, "Write error on SSD_B: Input/output error", ""},
        {"card pulled", Trouble::cardPulled, false, "",
         "Read error on the source at PRIVATE/M4ROOT/CLIP/C0002.MP4: Input/output error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ModelRig rig;
        std::optional<testing::TmpfsMount> small;
        if (c.trouble == Trouble::ssdFills) {
            small.emplace(72u << 20);  // room for the start checks, which keep a margin
            if (!small->mounted()) GTEST_SKIP() << small->reason();
            rig.ssdB = small->path();
        }
        FaultyFileIO faults;
        AppModel& model = rig.model();
        ASSERT_TRUE(rig.startHeld())
            << (model.alert() ? model.alert()->title + ": " + model.alert()->message : "no alert") << " / "
            << model.blockReason().value_or("not blocked");

        std::vector<DriveInfo> left = rig.all();
        switch (c.trouble) {
            case Trouble::ssdFills:
                // Something else writes to the SSD after the start check: the first clip still fits.
                fillUpTo(rig.ssdB, 350'000);
                break;
            case Trouble::ssdPulled:
                faults.fail({FaultyFileIO::Call::write, "SSD_B/", EIO, 100'000});
                left.erase(left.begin() + 2);
                break;
            case Trouble::cardPulled:
                faults.fail({FaultyFileIO::Call::read, "A001_SONY/PRIVATE/M4ROOT/CLIP/C0002.MP4", EIO, 65'536});
                left.erase(left.begin());
                break;
        }
        if (c.trouble != Trouble::ssdFills) rig.mount(left);
        rig.harness.engines->openGates();
        ASSERT_TRUE(rig.waitFor([&] { return model.transferState() != TransferState::running; }));

        EXPECT_EQ(model.transferState(), TransferState::failed);
        ASSERT_TRUE(model.lastResult().has_value());
        const TransferResult& result = *model.lastResult();
        ASSERT_EQ(result.destinations.size(), 2u);
        EXPECT_EQ(result.gotCompleteCopy(0), c.ssdASucceeds);
        EXPECT_FALSE(result.gotCompleteCopy(1));
        EXPECT_EQ(result.destinations[1].error.value_or(""), c.ssdBError);
        EXPECT_EQ(result.sourceError.value_or(""), c.sourceError);

        ASSERT_EQ(model.history().size(), 1u);
        const TransferRecord& record = model.history()[0];
        EXPECT_FALSE(record.succeeded);
        ASSERT_EQ(record.destinations.size(), 2u);
        EXPECT_EQ(record.destinations[0].succeeded, c.ssdASucceeds);
        EXPECT_FALSE(record.destinations[1].succeeded);
        // The history says why each copy fell short: the SSD's own error, else the card's.
        EXPECT_EQ(record.destinations[0].error.value_or(""), c.ssdASucceeds ? "" : c.sourceError);
        EXPECT_EQ(record.destinations[1].error.value_or(""), *c.ssdBError ? c.ssdBError : c.sourceError);
        EXPECT_EQ(model.transferredSourceIDs().count("CARD-1"), 0u) << "a failed card is not done";

        ASSERT_EQ(rig.harness.notifications->posts.size(), 1u);
        EXPECT_EQ(rig.harness.notifications->posts[0].title, "Transfer did not fully succeed");
        EXPECT_EQ(rig.harness.notifications->posts[0].kind, NotificationKind::failure);
        for (const fs::path& roll : model.transferRollURLs()) rig.expectNoIncompleteCopy(roll);
        EXPECT_EQ(fs::exists(model.transferRollURLs()[0] / "PRIVATE/M4ROOT/CLIP/C0002.MP4"), c.ssdASucceeds);
        EXPECT_EQ(rig.harness.engines->mostAlive(), 1);
        EXPECT_EQ(rig.harness.power->holds(), 0);
    }
}

TEST(ModelTransferTrouble, ACardSwappedWhilePausedIsNeverResumedIntoTheOldRoll) {
    struct Case {
        const char* name;
        bool bySleep;
        std::optional<std::string> firstUUID, swappedUUID;  // none: the card is known by its mount path
        bool sameSlot;          // the swapped card takes the paused card's identity
    };
    const Case cases[] = {
        {"after sleep, same slot and name, other contents", true, std::nullopt, std::nullopt, true},
        {"by hand, same slot and name, other contents", false, std::nullopt, std::nullopt, true},
        {"after sleep, another card with the same name", true, "CARD-1", "CARD-9", false},
        {"by hand, another card with the same name", false, "CARD-1", "CARD-9", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ModelRig rig;
        AppModel& model = rig.model();
        const auto withCard = [&](const std::optional<std::string>& uuid) {
            std::vector<DriveInfo> volumes = rig.all();
            volumes[0] = testing::FakeVolume::card(rig.card, "A001_SONY", uuid);
            return volumes;
        };
        ASSERT_TRUE(rig.startHeld(withCard(c.firstUUID)));
        ASSERT_TRUE(rig.pause(c.bySleep));
        if (c.bySleep) rig.harness.power->wake();  // the cards are swapped once the computer is awake
        const fs::path pausedRoll = model.transferRollURLs()[0];

        rig.mount(rig.allBut("A001_SONY"));
        fs::remove_all(rig.card);
        testing::writeFile(rig.card / "PRIVATE/M4ROOT/CLIP/C0001.MP4", std::string(120'000, 'x'));
        testing::writeFile(rig.card / "PRIVATE/M4ROOT/MEDIAPRO.XML", "<other/>");
        rig.harness.engines->gated = false;
        rig.mount(withCard(c.swappedUUID));
        // A sleep pause resumes by itself once its drives are back; a pause by hand waits for the button.
        if (!c.bySleep || !c.sameSlot) model.resumeTransfer();
        rig.harness.drain();

        ASSERT_TRUE(model.alert().has_value());
        EXPECT_EQ(rig.harness.engines->jobs.size(), 1u) << "nothing more was copied";
        EXPECT_TRUE(model.history().empty());
        if (c.sameSlot) {
            EXPECT_EQ(model.alert()->title, "This is a different card");
            EXPECT_EQ(model.transferState(), TransferState::idle);
            EXPECT_FALSE(model.pausedTransfer().has_value());
        } else {
            EXPECT_EQ(model.alert()->title, "Not everything is connected yet");
            EXPECT_EQ(model.alert()->message, "Reconnect A001_SONY to continue.");
            EXPECT_EQ(model.transferState(), TransferState::paused) << "the original card can still come back";
            EXPECT_TRUE(model.pausedTransfer().has_value());
        }
        EXPECT_FALSE(fs::exists(pausedRoll / "PRIVATE/M4ROOT/CLIP/C0001.MP4"));
    }
}

std::filesystem::path jobs0Roll(ModelRig& rig) { return rig.harness.engines->jobs.at(0).destinations.at(0).rollURL; }

TEST(ModelTransferTrouble, ButtonsThatDoNotFitTheStateLeaveTheRunAndThePauseAlone) {
    enum class Act { closeResult, discardPause, lookElsewhereThenTransfer, transferAnotherCard };
    struct Case {
        const char* name;
        bool paused;
        Act act;
        TransferState after;
    };
    const Case cases[] = {
        {"close the result while running", false, Act::closeResult, TransferState::running},
        {"discard the pause while running", false, Act::discardPause, TransferState::running},
        {"close the result while paused", true, Act::closeResult, TransferState::paused},
        {"another card looked at, then TRANSFER on the paused one", true, Act::lookElsewhereThenTransfer,
         TransferState::succeeded},
        // Starting another card gives up the pause; what the paused run left stays where it is.
        {"another card transferred while one is paused", true, Act::transferAnotherCard, TransferState::succeeded},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ModelRig rig;
        testing::writeFile(rig.root / "B_CARD/PRIVATE/M4ROOT/CLIP/C0001.MP4", std::string(50'000, 'c'));
        std::vector<DriveInfo> volumes = rig.all();
        volumes.push_back(testing::FakeVolume::card(rig.root / "B_CARD", "B_CARD", "CARD-2"));
        AppModel& model = rig.model();
        ASSERT_TRUE(rig.startHeld(volumes));
        if (c.paused) {
            ASSERT_TRUE(rig.pause(false));
        }
        rig.harness.engines->gated = false;
        // Part of the card made it before the pause, so its roll counts as used.
        const fs::path madeIt = jobs0Roll(rig) / "PRIVATE/M4ROOT/CLIP/C0001.MP4";
        if (c.paused) testing::writeFile(madeIt, std::string(300'000, 'a'));
        switch (c.act) {
            case Act::closeResult:
                model.dismissResult();
                break;
            case Act::discardPause:
                model.discardPausedTransfer();
                break;
            case Act::lookElsewhereThenTransfer:
            case Act::transferAnotherCard:
                model.selectSource(std::string("CARD-2"));
                rig.harness.drain();
                if (c.act == Act::lookElsewhereThenTransfer) {
                    model.selectSource(std::string("CARD-1"));
                    rig.harness.drain();
                }
                model.requestTransfer();
                rig.harness.drain();
                ASSERT_TRUE(rig.waitForState(TransferState::succeeded));
                break;
        }
        rig.harness.settle();
        EXPECT_EQ(model.transferState(), c.after);
        EXPECT_EQ(model.pausedTransfer().has_value(), c.after == TransferState::paused);
        const std::vector<TransferJob>& jobs = rig.harness.engines->jobs;
        if (c.act == Act::lookElsewhereThenTransfer) {
            ASSERT_EQ(jobs.size(), 2u);
            EXPECT_EQ(jobs[1].rollName, jobs[0].rollName) << "the paused roll goes on, no fresh roll beside it";
            EXPECT_EQ(jobs[1].destinations[0].rollURL, jobs[0].destinations[0].rollURL);
        } else if (c.act == Act::transferAnotherCard) {
            ASSERT_EQ(jobs.size(), 2u);
            EXPECT_EQ(jobs[1].sourceName, "B_CARD");
            EXPECT_NE(jobs[1].destinations[0].rollURL, jobs[0].destinations[0].rollURL);
            EXPECT_EQ(testing::readFile(madeIt), std::string(300'000, 'a'));
        } else {
            EXPECT_EQ(jobs.size(), 1u);
        }
        rig.harness.engines->openGates();
        ASSERT_TRUE(rig.waitFor([&] { return rig.harness.engines->alive() == 0; }));
    }
}

}  // namespace
}  // namespace quillane
