#include <gtest/gtest.h>

#include "ModelRig.h"
#include "support/Scopes.h"

namespace quillane {
namespace {

namespace fs = std::filesystem;
using testing::LanguageScope;
using testing::ModelRig;

TEST(ModelTransfer, OneCardToTwoSSDsCopiesVerifiesAndRecords) {
    LanguageScope language(AppLanguage::en);
    ModelRig rig;
    rig.mountAll();
    AppModel& model = rig.model();
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
    EXPECT_EQ(rig.harness.notifications->posts[0].title, "Safely transferred");
    EXPECT_NE(rig.harness.notifications->posts[0].body.find("is verified on 2 SSDs"), std::string::npos);
    EXPECT_EQ(rig.harness.engines->mostAlive(), 1);
    EXPECT_EQ(rig.harness.engines->alive(), 0);
    EXPECT_EQ(rig.harness.power->holds(), 0) << "keep-awake released at the end";
    EXPECT_EQ(model.transferredSourceIDs().count("CARD-1"), 1u);
}

TEST(ModelTransfer, WithoutVerificationTheNotificationSaysCopiedNotVerified) {
    LanguageScope language(AppLanguage::en);
    ModelRig rig;
    rig.model().changeSettings([](AppSettings& settings) { settings.verifyAfterCopy = false; });
    rig.mountAll();
    ASSERT_TRUE(rig.transferAndWait());
    ASSERT_EQ(rig.model().transferState(), TransferState::succeeded);
    ASSERT_EQ(rig.harness.notifications->posts.size(), 1u);
    EXPECT_EQ(rig.harness.notifications->posts[0].body.find("verified on"), std::string::npos);
    EXPECT_NE(rig.harness.notifications->posts[0].body.find("copied to 2 SSDs"), std::string::npos);
}

TEST(ModelTransfer, NoSecondEngineFromAnyStartingPath) {
    LanguageScope language(AppLanguage::en);
    ModelRig rig;
    rig.harness.engines->gated = true;
    rig.mountAll();
    AppModel& model = rig.model();
    model.transferTapped();
    rig.harness.settle();
    ASSERT_EQ(model.transferState(), TransferState::running);
    // Every road to a start while one runs: the button, the folder sheet, a resume alert.
    model.transferTapped();
    model.requestFolders(true, true);
    model.approveFolderRequest();
    rig.harness.settle();
    EXPECT_EQ(rig.harness.engines->jobs.size(), 1u);
    rig.harness.engines->openGates();
    ASSERT_TRUE(rig.harness.waitUntil([&] { return model.transferState() != TransferState::running; }));
    EXPECT_EQ(rig.harness.engines->mostAlive(), 1);
}

TEST(ModelTransfer, PressingTransferWhilePausedResumesTheSameRollInsteadOfANewOne) {
    LanguageScope language(AppLanguage::en);
    ModelRig rig;
    rig.harness.engines->gated = true;
    rig.mountAll();
    AppModel& model = rig.model();
    model.transferTapped();
    rig.harness.settle();
    const std::string roll = model.rollName();
    model.pauseTransfer();
    ASSERT_TRUE(rig.harness.waitUntil([&] { return model.transferState() == TransferState::paused; }));
    ASSERT_TRUE(model.pausedJob().has_value());
    EXPECT_EQ(model.pausedJob()->roll, roll);

    rig.harness.engines->gated = false;
    model.transferTapped();  // resumes: rescans the card, then continues the paused job
    ASSERT_TRUE(rig.harness.waitUntil([&] { return model.transferState() == TransferState::succeeded; }));
    ASSERT_EQ(rig.harness.engines->jobs.size(), 2u);
    EXPECT_EQ(rig.harness.engines->jobs[1].rollName, roll) << "the same roll, not the next one";
    EXPECT_EQ(rig.harness.engines->jobs[1].destinations[0].rollURL, rig.harness.engines->jobs[0].destinations[0].rollURL);
    EXPECT_FALSE(model.pausedJob().has_value());
}

TEST(ModelTransfer, ACardPulledWhilePausedKeepsThePauseAndResumesIntoTheSameRollFolder) {
    LanguageScope language(AppLanguage::en);
    ModelRig rig;
    rig.harness.engines->gated = true;
    rig.mountAll();
    AppModel& model = rig.model();
    model.transferTapped();
    rig.harness.settle();
    rig.harness.power->sleep();  // will-sleep: the handler returns once the engine stopped
    ASSERT_TRUE(rig.harness.waitUntil([&] { return model.transferState() == TransferState::paused; }));
    EXPECT_TRUE(model.pausedBySleep());
    ASSERT_EQ(rig.harness.notifications->posts.size(), 1u);
    EXPECT_NE(rig.harness.notifications->posts[0].body.find("continues when this computer wakes up"), std::string::npos);

    std::vector<DriveInfo> withoutCard = rig.all();
    withoutCard.erase(withoutCard.begin());
    rig.mount(withoutCard);
    EXPECT_EQ(model.transferState(), TransferState::paused) << "a vanished card keeps its pause";
    EXPECT_TRUE(model.pausedJob().has_value());

    rig.harness.engines->gated = false;
    rig.mount(rig.all());  // the card is back: the sleep pause resumes by itself
    ASSERT_TRUE(rig.harness.waitUntil([&] { return model.transferState() == TransferState::succeeded; }));
    ASSERT_EQ(rig.harness.engines->jobs.size(), 2u);
    EXPECT_EQ(rig.harness.engines->jobs[1].destinations[1].rollURL, rig.harness.engines->jobs[0].destinations[1].rollURL);
    EXPECT_EQ(model.history().size(), 1u);
}

TEST(ModelTransfer, AfterStopTheSameCardGoesBackIntoTheStoppedRollFolder) {
    LanguageScope language(AppLanguage::en);
    ModelRig rig;
    rig.mountAll();
    AppModel& model = rig.model();
    // A first card fills A001 elsewhere in the project, so counting would move on.
    rig.harness.engines->gated = true;
    model.transferTapped();
    rig.harness.settle();
    const fs::path stoppedRoll = rig.harness.engines->jobs[0].destinations[0].rollURL;
    model.cancelTransfer();
    ASSERT_TRUE(model.alert().has_value());
    model.closeAlert(model.alert()->id, true);
    ASSERT_TRUE(rig.harness.waitUntil([&] { return model.transferState() == TransferState::cancelled; }));
    EXPECT_TRUE(model.history().empty()) << "a stopped run records nothing";
    testing::writeFile(stoppedRoll / "PRIVATE/M4ROOT/CLIP/C0001.MP4", std::string(300'000, 'a'));

    rig.harness.engines->gated = false;
    model.refreshPlans();
    model.transferTapped();
    rig.harness.settle();
    ASSERT_TRUE(model.alert().has_value()) << "the resume question: what is there gets checked";
    model.closeAlert(model.alert()->id, true);
    ASSERT_TRUE(rig.harness.waitUntil([&] { return model.transferState() == TransferState::succeeded; }));
    EXPECT_EQ(rig.harness.engines->jobs.back().destinations[0].rollURL, stoppedRoll);
}

TEST(ModelTransfer, DestroyingTheModelMidTransferJoinsTheEngine) {
    LanguageScope language(AppLanguage::en);
    ModelRig rig;
    rig.harness.engines->gated = true;
    rig.mountAll();
    rig.model().transferTapped();
    rig.harness.settle();
    ASSERT_EQ(rig.harness.engines->alive(), 1);
    rig.harness.destroy();
    EXPECT_EQ(rig.harness.engines->alive(), 0) << "no engine outlives the model";
    EXPECT_EQ(rig.harness.power->holds(), 0);
}

}  // namespace
}  // namespace quillane
