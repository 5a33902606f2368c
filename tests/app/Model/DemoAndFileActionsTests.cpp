#include <gtest/gtest.h>

#include "Model/DemoDrives.h"
#include "support/Scopes.h"
#include "support/TempDir.h"
#include "support/app/ModelHarness.h"

namespace quillane {
namespace {

namespace fs = std::filesystem;
using testing::LanguageScope;
using testing::ModelHarness;

TransferRecord record(const std::string& project, const std::string& roll, const fs::path& rollFolder, int minutesAgo) {
    return TransferRecord(project, roll, 1, "CARD", std::nullopt, "fp-" + roll, 3, 1000,
                          std::chrono::system_clock::now() - std::chrono::minutes(minutesAgo),
                          {TransferRecord::Destination("SSD", rollFolder.string(), true)}, true);
}

std::vector<std::string> rolls(const std::vector<TransferRecord>& history) {
    std::vector<std::string> names;
    for (const TransferRecord& r : history) names.push_back(r.roll);
    return names;
}

std::vector<std::string> driveIDs(const AppModel& model) {
    std::vector<std::string> ids;
    for (const DriveState& d : model.drives()) ids.push_back(d.info.id);
    return ids;
}

TEST(DemoMode, StartsWithDemoDrivesAndStopsWithoutTheDemoHistory) {
    LanguageScope language(AppLanguage::en);
    struct Case {
        std::string projectBefore;
        std::string projectAfter;
        bool projectSheetAfter;
    };
    const Case cases[] = {{"Alpha", "Alpha", false}, {"", "", true}};
    for (const Case& c : cases) {
        ModelHarness harness;
        testing::TempDir ssd;
        const fs::path demoRoll = DemoDrives::root() / "SSD_1/PROJECTNAME/A001";
        harness.make();
        harness.stage().history({record("Alpha", "R1", ssd / "Alpha/R1", 1),
                                 record(AppModel::demoProjectName, "REAL", ssd / "PROJECTNAME/REAL", 2)});
        harness.stage().project(c.projectBefore);
        AppModel& model = harness.model();
        model.start();
        harness.volumes->push({testing::FakeVolume::ssd(ssd.path(), "SSD", "UUID-SSD")});
        harness.drain();

        model.startDemo();
        harness.drain();
        EXPECT_EQ(model.demoState(), DemoState::on);
        EXPECT_EQ(model.projectName(), AppModel::demoProjectName);
        EXPECT_FALSE(model.showProjectSheet());
        EXPECT_EQ(driveIDs(model), (std::vector<std::string>{"demo-fx6", "demo-arri", "demo-zoom", "demo-ssd-1",
                                                             "demo-ssd-2"}));
        EXPECT_EQ(model.selectedSourceID(), "demo-fx6");
        model.addDemoHistory({record(AppModel::demoProjectName, "A001", demoRoll, 0)});
        EXPECT_EQ(rolls(model.history()), (std::vector<std::string>{"A001", "R1", "REAL"}));

        // A folder request and a queue do not outlive the demo.
        model.requestFolders(false, false);
        ASSERT_TRUE(model.folderRequest());

        model.stopDemo();
        harness.settle();
        EXPECT_EQ(model.demoState(), DemoState::off);
        EXPECT_EQ(model.projectName(), c.projectAfter) << c.projectBefore;
        EXPECT_EQ(model.showProjectSheet(), c.projectSheetAfter);
        if (c.projectAfter.empty()) {
            EXPECT_EQ(model.blockReason(), "Choose a project first");
        }
        EXPECT_FALSE(model.folderRequest());
        EXPECT_TRUE(model.queue().empty());
        EXPECT_EQ(driveIDs(model), (std::vector<std::string>{"UUID-SSD"}));
        // Only the demo's own transfer goes; a real one under the demo's project name stays.
        EXPECT_EQ(rolls(model.history()), (std::vector<std::string>{"R1", "REAL"}));
        EXPECT_EQ(rolls(JSONStore<std::vector<TransferRecord>>("history.json", harness.store.path()).load().value()),
                  (std::vector<std::string>{"R1", "REAL"}));
    }
}

TEST(DemoMode, StartAndStopWaitForTheTransfer) {
    struct Case {
        TransferState state;
        bool demoOn;       // before the call
        bool callStart;    // else stopDemo
        DemoState after;
    };
    const Case cases[] = {
        {TransferState::running, false, true, DemoState::off},
        {TransferState::paused, false, true, DemoState::off},
        {TransferState::idle, true, true, DemoState::on},
        {TransferState::running, true, false, DemoState::on},
        {TransferState::succeeded, false, true, DemoState::on},
    };
    for (const Case& c : cases) {
        ModelHarness harness;
        AppModel& model = harness.make();
        harness.stage().project("Alpha");
        if (c.demoOn) model.startDemo();
        harness.drain();
        harness.stage().transfer(c.state);
        const std::string project = model.projectName();
        if (c.callStart) model.startDemo();
        else model.stopDemo();
        harness.settle();
        EXPECT_EQ(model.demoState(), c.after) << static_cast<int>(c.state) << c.demoOn << c.callStart;
        if (c.after == (c.demoOn ? DemoState::on : DemoState::off)) {
            EXPECT_EQ(model.projectName(), project);
            EXPECT_EQ(model.transferState(), c.state);
        }
    }
}

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
        if (c.reveal) model.showInFileManager(c.asked);
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

TEST(FileActions, TheReportOpensWithTheDesktopOrTheCrewIsToldWhereItIs) {
    LanguageScope language(AppLanguage::en);
    const fs::path report = "/media/crew/SSD_1/Alpha/FOOTAGE/A001/A001_report.html";
    for (const bool opens : {true, false}) {
        ModelHarness harness;
        harness.desktop->opensFiles = opens;
        AppModel& model = harness.make();
        model.openReport(report);
        EXPECT_EQ(harness.desktop->files, std::vector<fs::path>{report});
        ASSERT_EQ(model.alert().has_value(), !opens);
        if (!opens) {
            EXPECT_EQ(model.alert()->title, "Report not opened");
            EXPECT_NE(model.alert()->message.find(report.string()), std::string::npos) << model.alert()->message;
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
