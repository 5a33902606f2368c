#include <gtest/gtest.h>

#include "Platform/DemoDrives.h"
#include "support/Scopes.h"
#include "support/TempDir.h"
#include "support/app/ModelHarness.h"

namespace quillane {
namespace {

namespace fs = std::filesystem;
using testing::LanguageScope;
using testing::ModelHarness;

TEST(FileActions, OpenAndRevealTheNearestRealPlaceOrShowTheDemoNotice) {
    LanguageScope language(AppLanguage::en);
    testing::TempDir drive;
    fs::create_directories(drive / "Alpha/Day 1");
    const fs::path demoRoll = DemoDrives::root() / "SSD_1/PROJECTNAME/A001";
    struct Case {
        fs::path asked;
        bool reveal;
        std::optional<fs::path> opened;    // handed to the file manager
        std::optional<fs::path> revealed;
    };
    const Case cases[] = {
        {drive / "Alpha/Day 1/A001", false, drive / "Alpha/Day 1", std::nullopt},
        {drive / "Alpha/Day 1/", false, drive / "Alpha/Day 1", std::nullopt},
        {"/nonexistent-quillane/a/b", false, fs::path("/nonexistent-quillane"), std::nullopt},
        {demoRoll, false, std::nullopt, std::nullopt},
        {drive / "Alpha/clip.mxf", true, std::nullopt, drive / "Alpha/clip.mxf"},
        {demoRoll / "clip.mxf", true, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        ModelHarness harness;
        AppModel& model = harness.make();
        if (c.reveal) model.revealInFinder(c.asked);
        else model.openFolder(c.asked);
        const bool demo = !c.opened && !c.revealed;
        EXPECT_EQ(harness.desktop->opened, c.opened ? std::vector<fs::path>{*c.opened} : std::vector<fs::path>{})
            << c.asked;
        EXPECT_EQ(harness.desktop->revealed,
                  c.revealed ? std::vector<fs::path>{*c.revealed} : std::vector<fs::path>{});
        ASSERT_EQ(model.alert().has_value(), demo) << c.asked;
        if (demo) {
            EXPECT_EQ(model.alert()->title, "Demo mode");
        }
    }
}

TEST(FileActions, EjectMarksDemoDrivesAndReportsARefusal) {
    LanguageScope language(AppLanguage::en);
    ModelHarness harness;
    AppModel& model = harness.make();
    model.start();
    testing::TempDir card;
    harness.volumes->push({testing::FakeVolume::card(card.path(), "A001", "UUID-CARD")});
    harness.drain();
    ASSERT_EQ(model.drives().size(), 1u);
    const DriveState real = model.drives().front();

    struct Case {
        std::optional<std::string> refusal;
        bool hold;
        bool modelGone;
    };
    const Case cases[] = {{std::nullopt, false, false}, {"Device is busy", false, false}, {"Busy", true, true}};
    for (const Case& c : cases) {
        ModelHarness local;
        AppModel& m = local.make();
        local.ejector->refusal = c.refusal;
        local.ejector->hold = c.hold;
        m.eject(real);
        EXPECT_EQ(local.ejector->ejected, std::vector<fs::path>{card.path()});
        if (c.modelGone) local.destroy();
        if (c.hold) local.ejector->answerHeld();  // an answer after the model is gone does nothing
        if (c.modelGone) continue;
        ASSERT_EQ(m.alert().has_value(), c.refusal.has_value());
        if (c.refusal) {
            EXPECT_EQ(m.alert()->title, "Eject failed");
            EXPECT_EQ(m.alert()->message, *c.refusal);
        }
    }

    // Demo drives are only marked: the card leaves the list until the demo starts again.
    model.startDemo();
    harness.drain();
    const DriveState fx6 = model.drives().front();
    model.eject(fx6);
    harness.settle();
    EXPECT_EQ(model.drives().size(), 4u);
    EXPECT_TRUE(harness.ejector->ejected.empty());
    model.stopDemo();
    model.startDemo();
    harness.drain();
    EXPECT_EQ(model.drives().size(), 5u);
}

}  // namespace
}  // namespace quillane
