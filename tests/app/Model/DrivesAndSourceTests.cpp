#include <gtest/gtest.h>

#include <atomic>

#include "Model/ThreadPoolWork.h"
#include "support/Scopes.h"
#include "support/TempDir.h"
#include "support/app/ModelHarness.h"

namespace quillane {
namespace {

namespace fs = std::filesystem;
using testing::FakeVolume;
using testing::LanguageScope;
using testing::ModelHarness;
using testing::TempDir;
using testing::writeFile;

// A card with a Sony tree behind hardware that tells nothing (only its contents make it a
// card), and an empty SSD, as folders.
struct Rig {
    TempDir root{"quillane-volumes"};
    fs::path card = root / "A001_SONY";
    fs::path ssd = root / "SHOOT_SSD";
    Rig() {
        writeFile(card / "PRIVATE/M4ROOT/CLIP/C0001.MP4", "clip one");
        writeFile(card / "PRIVATE/M4ROOT/CLIP/C0002.MP4", "clip two!");
        fs::create_directories(ssd);
    }
    DriveInfo cardInfo() const {
        DriveInfo info = FakeVolume::card(card, "A001_SONY", "CARD-UUID");
        info.isRemovable = false;
        info.deviceVendor = info.deviceModel = info.deviceProtocol = std::nullopt;
        info.totalCapacity = 2'000'000'000'000;
        return info;
    }
    DriveInfo ssdInfo() const { return FakeVolume::ssd(ssd, "SHOOT_SSD", "SSD-UUID"); }
};

// A started model that sees no volume yet, in English.
struct ModelDrives : ::testing::Test {
    LanguageScope language{AppLanguage::en};
    Rig rig;
    ModelHarness harness;
    AppModel& model = harness.make();
    ModelDrives() { model.start(); }
};

// The rig's volumes seen by the model with a project, the card selected and scanned.
struct ModelSource : ModelDrives {
    ModelSource() {
        model.setProject("Alpha");
        harness.volumes->push({rig.cardInfo(), rig.ssdInfo()});
        harness.drain();
    }
};

TEST_F(ModelDrives, ACardRecognisedByItsProbeIsSelectedWhenTheProbeArrives) {
    harness.volumes->push({rig.cardInfo(), rig.ssdInfo()});
    ASSERT_EQ(model.drives().size(), 2u);
    EXPECT_TRUE(model.drives()[0].isAnalyzing());
    EXPECT_EQ(model.selectedSourceID(), std::nullopt) << "not a source before its probe";
    harness.drain();
    EXPECT_FALSE(model.drives()[0].isAnalyzing());
    EXPECT_EQ(model.selectedSourceID(), std::optional<std::string>("CARD-UUID"));
    EXPECT_EQ(model.scanState(), ScanState::ready());
    ASSERT_TRUE(model.scan().has_value());
    EXPECT_EQ(model.scan()->fileCount(), 2);
}

TEST_F(ModelDrives, TheLateProbeOfAVolumeThatWentAwayChangesNothing) {
    harness.volumes->push({rig.cardInfo(), rig.ssdInfo()});
    harness.volumes->push({rig.ssdInfo()});
    harness.drain();
    EXPECT_EQ(model.drives().size(), 1u);
    EXPECT_EQ(model.selectedSourceID(), std::nullopt);
    harness.volumes->push({rig.cardInfo(), rig.ssdInfo()});
    EXPECT_EQ(harness.work->pending(), 1u) << "a returning volume gets a new probe";
    harness.drain();
    EXPECT_EQ(model.selectedSourceID(), std::optional<std::string>("CARD-UUID"));
}

TEST_F(ModelDrives, ALanguageChangeReclassifiesEveryDrive) {
    harness.volumes->push({rig.cardInfo(), rig.ssdInfo()});
    harness.drain();
    const std::vector<std::string> english = model.drives()[1].classification.reasons;
    model.changeSettings([](AppSettings& settings) { settings.language = AppLanguage::nl; });
    EXPECT_EQ(Lang::current.load(), AppLanguage::nl);
    EXPECT_NE(model.drives()[1].classification.reasons, english);
}

TEST(ModelDriveRoles, ChosenByHandAreLearnedByUUIDOrKeptForTheRun) {
    LanguageScope language;
    struct Case {
        std::optional<std::string> uuid;
        bool learned;
    };
    for (const Case& c : {Case{"SSD-UUID", true}, Case{std::nullopt, false}}) {
        Rig rig;
        ModelHarness harness;
        AppModel& model = harness.make();
        model.start();
        DriveInfo ssd = FakeVolume::ssd(rig.ssd, "SHOOT_SSD", c.uuid);
        harness.volumes->push({ssd});
        harness.drain();
        model.setRole(DriveRole::ignored, model.drives()[0]);
        EXPECT_EQ(model.role(model.drives()[0]), DriveRole::ignored);
        EXPECT_EQ(model.settings().learnedDrives.size(), c.learned ? 1u : 0u);
        EXPECT_EQ(model.sessionRoles().size(), c.learned ? 0u : 1u);

        AppModel& again = harness.make();  // a restart
        again.start();
        harness.drain();
        EXPECT_EQ(again.role(again.drives()[0]), c.learned ? DriveRole::ignored : DriveRole::destination);
        if (c.learned) {
            again.forgetLearnedRole(*c.uuid);
            EXPECT_EQ(again.role(again.drives()[0]), DriveRole::destination);
        }
    }
}

TEST_F(ModelDrives, ASwitchedOffDestinationIsOnAgainWhenItReturns) {
    harness.volumes->push({rig.ssdInfo()});
    harness.drain();
    model.toggleDestination(model.drives()[0]);
    EXPECT_TRUE(model.activeDestinations().empty());
    harness.volumes->push({});
    harness.volumes->push({rig.ssdInfo()});
    EXPECT_EQ(model.activeDestinations().size(), 1u);
}

// Real pool threads that count the jobs handed in and the jobs ended.
class CountingWork final : public BackgroundWork {
public:
    void run(std::function<void()> job) override {
        ++started_;
        pool_.run([this, job = std::move(job)] {
            job();
            ++ended_;
        });
    }
    void waitForIdle() override { pool_.waitForIdle(); }
    int started() const { return started_; }
    int ended() const { return ended_; }

private:
    std::atomic<int> started_ = 0;
    std::atomic<int> ended_ = 0;
    ThreadPoolWork pool_;
};

TEST(ModelTeardown, DestroyingTheModelWhileProbesAndAScanRunWaitsForThem) {
    LanguageScope language;
    Rig rig;
    for (int i = 0; i < 50; ++i) writeFile(rig.card / "PRIVATE/M4ROOT/CLIP" / ("C1" + std::to_string(i) + ".MP4"), "x");
    for (int round = 0; round < 5; ++round) {
        ModelServices services;
        services.volumes = std::make_shared<testing::FakeVolumeSource>();
        auto work = std::make_shared<CountingWork>();
        services.work = work;
        auto volumes = std::static_pointer_cast<testing::FakeVolumeSource>(services.volumes);
        testing::qtApplication();
        TempDir store;
        {
            AppModel model(store.path(), services);
            model.start();
            volumes->push({rig.cardInfo(), rig.ssdInfo()});
            if (round % 2) QCoreApplication::processEvents();
        }
        EXPECT_GE(work->started(), 2) << "a probe for each volume";
        EXPECT_EQ(work->ended(), work->started()) << "no job outlives the model";
        QCoreApplication::processEvents();  // their post-backs land on nothing
    }
}

TEST_F(ModelSource, OfTwoQuickRescansOnlyTheNewerLands) {
    ASSERT_EQ(model.scanState(), ScanState::ready());
    model.rescanSource();
    writeFile(rig.card / "PRIVATE/M4ROOT/CLIP/C0003.MP4", "three");
    model.rescanSource();
    ASSERT_EQ(harness.work->pending(), 2u);
    harness.work->runLast();  // the newer walk ends first
    harness.settle();
    EXPECT_EQ(model.scan()->fileCount(), 3);
    harness.work->runNext();  // the superseded one ends later
    harness.settle();
    EXPECT_EQ(model.scan()->fileCount(), 3) << "the older result is dropped";
    EXPECT_EQ(model.scanState(), ScanState::ready());
}

TEST_F(ModelSource, AFailingScanShowsItsTextInTheCurrentLanguage) {
    model.changeSettings([&](AppSettings& settings) { settings.language = AppLanguage::nl; });
    fs::remove_all(rig.card);
    model.rescanSource();
    harness.drain();
    ASSERT_TRUE(model.scanState().is(ScanState::Kind::failed));
    EXPECT_TRUE(model.scanState().message.starts_with("Kan de bron niet lezen: ")) << model.scanState().message;
    EXPECT_EQ(model.scan(), std::nullopt);
    EXPECT_EQ(model.blockReason(), std::optional<std::string>(model.scanState().message));
}

TEST_F(ModelSource, AChosenFolderMustLieOnTheCard) {
    fs::create_directories(rig.root / "CARD2/DCIM");
    struct Case {
        fs::path chosen;
        bool accepted;
        bool subfolder;
    };
    for (const Case& c : {Case{rig.card / "PRIVATE", true, true}, Case{rig.root / "CARD2/DCIM", false, true},
                          Case{rig.card, true, false}}) {
        model.setAlert(std::nullopt);
        model.chooseSourceFolder();
        ASSERT_TRUE(harness.folderPicker->answer(c.chosen));
        harness.drain();
        EXPECT_EQ(model.alert().has_value(), !c.accepted) << c.chosen;
        EXPECT_EQ(model.sourceRootIsSubfolder(), c.subfolder) << c.chosen;
    }
}

}  // namespace
}  // namespace quillane
