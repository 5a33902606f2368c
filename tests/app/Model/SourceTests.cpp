#include <gtest/gtest.h>

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

struct SourceRig {
    TempDir root{"quillane-volumes"};
    fs::path card = root / "CARD";
    ModelHarness harness;
    SourceRig() {
        writeFile(card / "DCIM/100CANON/IMG_0001.MP4", "one");
        fs::create_directories(root / "SSD");
        AppModel& model = harness.make();
        model.setProject("Alpha");
        model.start();
        harness.volumes->push({FakeVolume::card(card, "CARD", "CARD-1"), FakeVolume::ssd(root / "SSD", "SSD", "SSD-1")});
        harness.drain();
    }
    AppModel& model() { return harness.model(); }
};

TEST(ModelSource, OfTwoQuickRescansOnlyTheNewerLands) {
    LanguageScope language;
    SourceRig rig;
    AppModel& model = rig.model();
    ASSERT_EQ(model.scanState(), ScanState::ready());
    model.rescanSource();
    writeFile(rig.card / "DCIM/100CANON/IMG_0002.MP4", "two");
    model.rescanSource();
    ASSERT_EQ(rig.harness.work->pending(), 2u);
    rig.harness.work->runLast();  // the newer walk ends first
    rig.harness.settle();
    EXPECT_EQ(model.scan()->fileCount(), 2);
    rig.harness.work->runNext();  // the superseded one ends later
    rig.harness.settle();
    EXPECT_EQ(model.scan()->fileCount(), 2) << "the older result is dropped";
    EXPECT_EQ(model.scanState(), ScanState::ready());
}

TEST(ModelSource, AFailingScanShowsItsTextInTheCurrentLanguage) {
    struct Case {
        AppLanguage language;
        std::string prefix;
    };
    for (const Case& c : {Case{AppLanguage::en, "Can't read the source: "}, Case{AppLanguage::nl, "Kan de bron niet lezen: "}}) {
        LanguageScope language(c.language);
        SourceRig rig;
        rig.model().changeSettings([&](AppSettings& settings) { settings.language = c.language; });
        fs::remove_all(rig.card);
        rig.model().rescanSource();
        rig.harness.drain();
        ASSERT_TRUE(rig.model().scanState().is(ScanState::Kind::failed));
        EXPECT_TRUE(rig.model().scanState().message.starts_with(c.prefix)) << rig.model().scanState().message;
        EXPECT_EQ(rig.model().scan(), std::nullopt);
        EXPECT_EQ(rig.model().blockReason(), std::optional<std::string>(rig.model().scanState().message));
    }
}

TEST(ModelSource, AChosenFolderMustLieOnTheCard) {
    LanguageScope language(AppLanguage::en);
    SourceRig rig;
    AppModel& model = rig.model();
    fs::create_directories(rig.root / "CARD2/DCIM");
    struct Case {
        fs::path chosen;
        bool accepted;
        bool subfolder;
    };
    for (const Case& c : {Case{rig.card / "DCIM", true, true}, Case{rig.root / "CARD2/DCIM", false, true},
                          Case{rig.card, true, false}}) {
        model.setAlert(std::nullopt);
        model.chooseSourceFolder();
        ASSERT_TRUE(rig.harness.folderPicker->answer(c.chosen));
        rig.harness.drain();
        EXPECT_EQ(model.alert().has_value(), !c.accepted) << c.chosen;
        EXPECT_EQ(model.sourceRootIsSubfolder(), c.subfolder) << c.chosen;
    }
}

}  // namespace
}  // namespace quillane
