#include <gtest/gtest.h>

#include <thread>

#include "support/app/ModelRig.h"

// How a resume of a paused copy goes on, or waits, while the crew looks at other cards and the
// computer sleeps and wakes.
namespace quillane {
namespace {

// Settles without running background work (scans stay pending) until the condition holds.
bool settleUntil(ModelRig& rig, const std::function<bool()>& condition) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > limit) return false;
        rig.harness.settle();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// The first card's copy paused by hand with a second card in the reader; the engine then runs
// without holding its writes.
bool pausedBesideAnotherCard(ModelRig& rig) {
    std::vector<DriveInfo> volumes = rig.all();
    volumes.push_back(rig.otherCard());
    if (!rig.startHeld(volumes) || !rig.pause(false)) return false;
    rig.harness.engines->gated = false;
    return true;
}

// Looking at another card while the resume rescans the paused one: the resume follows the paused
// card, so the pause stays as it was, and the paused card goes on later in its own roll folders.
TEST(ModelResume, LookingAtAnotherCardDuringTheRescanKeepsThePause) {
    ModelRig rig;
    AppModel& model = rig.model();
    ASSERT_TRUE(pausedBesideAnotherCard(rig));

    model.resumeTransfer();
    rig.harness.settle();
    ASSERT_TRUE(model.scanState().is(ScanState::Kind::scanning)) << "the paused card is scanned again";
    model.selectSource(std::string("CARD-2"));
    rig.harness.drain();
    EXPECT_FALSE(model.alert().has_value()) << model.alert()->title;
    ASSERT_TRUE(model.pausedTransfer().has_value()) << "the pause is kept";
    EXPECT_EQ(model.pausedTransfer()->job.sourceID, "CARD-1");
    EXPECT_EQ(rig.harness.engines->jobs.size(), 1u);

    model.selectSource(std::string("CARD-1"));
    rig.harness.drain();
    model.requestTransfer();
    ASSERT_TRUE(rig.waitForState(TransferState::succeeded));
    ASSERT_EQ(rig.harness.engines->jobs.size(), 2u);
    EXPECT_EQ(rig.harness.engines->jobs[1].sourceName, "A001_SONY");
    EXPECT_EQ(rig.harness.engines->jobs[1].destinations[0].rollURL, rig.harness.engines->jobs[0].destinations[0].rollURL);
}

// A will-sleep at any point of a resume holds it until the next did-wake: no copy starts while the
// computer goes to sleep, and after waking it resumes by itself once the wake wait has passed.
TEST(ModelResume, AWillSleepDuringAResumeHoldsItUntilTheNextWake) {
    enum class Point { wakeWait, wakeRescan, waitingForADrive, rescanOfAResumeByHand };
    struct Case {
        const char* name;
        Point point;
    };
    const Case cases[] = {
        {"during the wait after waking", Point::wakeWait},
        {"during the rescan after waking", Point::wakeRescan},
        {"while the copy waits for a drive", Point::waitingForADrive},
        {"during the rescan of a resume by hand", Point::rescanOfAResumeByHand},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ModelRig rig;
        AppModel& model = rig.model();
        testing::FakePowerEvents& power = *rig.harness.power;
        ASSERT_TRUE(rig.startHeld());
        ASSERT_TRUE(rig.pause(c.point != Point::rescanOfAResumeByHand));
        rig.harness.engines->gated = false;
        switch (c.point) {
            case Point::wakeWait:
                power.wake();
                power.sleep();  // before the wake wait is over
                break;
            case Point::wakeRescan:
                power.wake();
                ASSERT_TRUE(settleUntil(rig, [&] { return model.scanState().is(ScanState::Kind::scanning); }));
                power.sleep();
                break;
            case Point::waitingForADrive:
                rig.mount(rig.allBut("SSD_B"));
                power.wake();
                ASSERT_TRUE(rig.waitFor([&] { return rig.harness.notifications->posts.size() == 2; }));
                power.sleep();
                rig.mount(rig.all());  // the drive comes back while the computer sleeps
                break;
            case Point::rescanOfAResumeByHand:
                model.resumeTransfer();
                rig.harness.settle();
                ASSERT_TRUE(model.scanState().is(ScanState::Kind::scanning));
                power.sleep();
                break;
        }
        rig.idle(3 * rig.harness.timings.wakeCheck);
        if (rig.harness.engines->jobs.size() != 1u || model.transferState() != TransferState::paused) {
            ADD_FAILURE() << "a copy started while the computer went to sleep";
            continue;
        }
        ASSERT_TRUE(model.pausedTransfer().has_value());

        const auto woke = std::chrono::steady_clock::now();
        power.wake();
        ASSERT_TRUE(rig.waitForState(TransferState::succeeded));
        EXPECT_GE(std::chrono::steady_clock::now() - woke, rig.harness.timings.wakeCheck);
        ASSERT_EQ(rig.harness.engines->jobs.size(), 2u);
        EXPECT_EQ(rig.harness.engines->jobs[1].destinations[1].rollURL,
                  rig.harness.engines->jobs[0].destinations[1].rollURL);
        EXPECT_EQ(rig.harness.engines->mostAlive(), 1);
    }
}

// TRANSFER's one rule, which the button, the Transfer menu and requestTransfer all follow: the
// paused card goes on while it is paused or selected again, whatever would block a new start (a
// resume needs its own drives, and names them); any other card starts when nothing blocks it.
TEST(ModelResume, TransferResumesThePausedCardAndStartsAnyOther) {
    ModelRig rig;
    AppModel& model = rig.model();
    std::vector<DriveInfo> volumes = rig.all();
    volumes.push_back(rig.otherCard());
    const std::vector<DriveInfo> cardsOnly = {volumes[0], volumes.back()};
    ASSERT_EQ(cardsOnly[0].name, "A001_SONY");
    struct Step {
        const char* name;
        std::function<void()> act;
        bool resumes;
        bool available;
    };
    const Step steps[] = {
        {"nothing paused", [&] { rig.mount(volumes); }, false, true},
        {"no SSD blocks a start", [&] { rig.mount(cardsOnly); }, false, false},
        {"running", [&] { ASSERT_TRUE(rig.startHeld(volumes)); }, false, true},
        {"paused, no SSD", [&] { ASSERT_TRUE(rig.pause(false)); rig.mount(cardsOnly); }, true, true},
        {"another card selected", [&] { model.selectSource(std::string("CARD-2")); rig.harness.drain(); }, false, false},
        {"the paused card selected again", [&] { model.selectSource(std::string("CARD-1")); rig.harness.drain(); }, true, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.act();
        EXPECT_EQ(model.transferResumes(), step.resumes);
        EXPECT_EQ(model.canRequestTransfer(), step.available);
    }
}

// A resume that found nothing of its card on the SSDs yet leaves no trace: the next card whose
// roll folder already holds some of its files is asked about resuming them as ever.
TEST(ModelResume, AResumeLeavesNothingBehindForTheNextCard) {
    ModelRig rig;
    AppModel& model = rig.model();
    ASSERT_TRUE(pausedBesideAnotherCard(rig));
    model.resumeTransfer();
    ASSERT_TRUE(rig.waitForState(TransferState::succeeded));
    ASSERT_EQ(rig.harness.engines->jobs.size(), 2u);

    // The second card stops before it copied a byte; one of its clips is then put in its roll
    // folder, where its next start goes on.
    model.selectSource(std::string("CARD-2"));
    rig.harness.drain();
    rig.harness.engines->gated = true;
    model.requestTransfer();
    ASSERT_TRUE(rig.waitForState(TransferState::running));
    model.cancelTransfer();
    ASSERT_TRUE(model.alert().has_value());
    model.closeAlert(model.alert()->id, true);
    ASSERT_TRUE(rig.waitForState(TransferState::cancelled));
    rig.harness.engines->gated = false;
    const ScannedFile& clip = model.scan()->files.at(0);
    const fs::path copied = rig.harness.engines->jobs.back().destinations[0].rollURL / clip.relativePath;
    fs::create_directories(copied.parent_path());
    fs::copy_file(model.scan()->root / clip.relativePath, copied);

    model.requestTransfer();
    rig.harness.drain();
    ASSERT_TRUE(model.alert().has_value()) << "the files already there are asked about";
    EXPECT_EQ(model.alert()->title, "Resume transfer?");
    model.closeAlert(model.alert()->id, true);
    ASSERT_TRUE(rig.waitForState(TransferState::succeeded));
    ASSERT_EQ(rig.harness.engines->jobs.size(), 4u);
}

}  // namespace
}  // namespace quillane
