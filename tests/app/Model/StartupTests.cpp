#include <gtest/gtest.h>

#include <QTimer>

#include "Support/Lang.h"
#include "Template/TemplatePreset.h"
#include "support/Scopes.h"
#include "support/TempDir.h"
#include "support/app/ModelHarness.h"

namespace quillane {
namespace {

namespace fs = std::filesystem;
using testing::LanguageScope;
using testing::ModelHarness;

TEST(ModelStartup, FirstLaunchGivesDefaultsNoProjectAndTheProjectSheet) {
    LanguageScope language;
    ModelHarness harness;
    AppModel& model = harness.make();
    EXPECT_EQ(model.settings(), AppSettings{});
    EXPECT_TRUE(model.history().empty());
    EXPECT_EQ(model.projectName(), "");
    EXPECT_TRUE(model.showProjectSheet());
    EXPECT_EQ(model.cameraLetter(), AppSettings{}.defaultCameraLetter);
    EXPECT_EQ(model.transferState(), TransferState::idle);
    EXPECT_FALSE(fs::exists(harness.store / "settings.json")) << "nothing is written at start-up";
}

TEST(ModelStartup, StoredSettingsComeBackWithAnUpgradedTemplateWhileTheFileKeepsItsBytes) {
    LanguageScope language;
    ModelHarness harness;
    const FolderTemplate preset = TemplatePreset::all().at(1).folderTemplate;
    AppSettings stored;
    stored.folderTemplate = FolderTemplate{preset.pattern, {}, std::nullopt};
    stored.recentProjects = {"Night Shoot", "Alpha"};
    stored.defaultCameraLetter = "B";
    stored.language = AppLanguage::nl;
    JSONStore<AppSettings>("settings.json", harness.store.path()).save(stored);
    ASSERT_NE(TemplatePreset::upgraded(stored.folderTemplate), stored.folderTemplate);
    const std::string bytes = testing::readFile(harness.store / "settings.json");

    AppModel& model = harness.make();
    EXPECT_EQ(model.settings().folderTemplate, TemplatePreset::upgraded(stored.folderTemplate));
    EXPECT_EQ(model.projectName(), "Night Shoot");
    EXPECT_EQ(model.cameraLetter(), "B");
    EXPECT_EQ(Lang::current.load(), AppLanguage::nl);
    EXPECT_EQ(testing::readFile(harness.store / "settings.json"), bytes);

    model.changeSettings([](AppSettings& settings) { settings.checksum = ChecksumAlgorithm::md5; });
    EXPECT_NE(testing::readFile(harness.store / "settings.json"), bytes) << "the next real change saves";
    EXPECT_EQ(JSONStore<AppSettings>("settings.json", harness.store.path()).load(), model.settings());
}

TEST(ModelStartup, AnUnreadableSettingsFileGivesDefaultsAndIsNeverOverwritten) {
    LanguageScope language;
    ModelHarness harness;
    testing::writeFile(harness.store / "settings.json", "{ not json");
    testing::writeFile(harness.store / "history.json", "[{\"id\": 3}]");
    AppModel& model = harness.make();
    EXPECT_EQ(model.settings(), AppSettings{});
    EXPECT_TRUE(model.history().empty());
    bool setAside = false;
    for (const auto& entry : fs::directory_iterator(harness.store.path()))
        setAside = setAside || entry.path().filename().string().starts_with("settings.unreadable-");
    EXPECT_TRUE(setAside) << "the unreadable file is kept beside the store";
}

TEST(ModelStartup, AnEqualSettingsAssignmentWritesAndNotifiesNothing) {
    LanguageScope language;
    ModelHarness harness;
    AppModel& model = harness.make();
    model.setSettings(model.settings());
    harness.settle();
    EXPECT_FALSE(fs::exists(harness.store / "settings.json"));
    EXPECT_TRUE(harness.notifications_.empty());
}

TEST(ModelStartup, ChangesInOneTurnComeAsOneNotificationNamingEveryField) {
    LanguageScope language;
    ModelHarness harness;
    AppModel& model = harness.make();
    model.setShowUpdate(true);
    model.setShowProjectSheet(false);
    model.setShowUpdate(true);  // equal: nothing more
    EXPECT_TRUE(harness.notifications_.empty()) << "nothing is emitted before the turn ends";
    harness.settle();
    ASSERT_EQ(harness.notifications_.size(), 1u);
    EXPECT_EQ(harness.notifications_[0], (ModelFields{ModelField::showUpdate, ModelField::showProjectSheet}));
    model.setShowUpdate(true);
    harness.settle();
    EXPECT_EQ(harness.notifications_.size(), 1u) << "an equal value notifies nothing";
    model.setAlert(std::nullopt);
    harness.settle();
    EXPECT_EQ(harness.notifications_.size(), 2u) << "the alert notifies on every assignment";
}

TEST(ModelStartup, SettingsReactionSetsTheNotificationSwitches) {
    LanguageScope language;
    struct Case {
        bool notifications, phonePush;
        std::string topic;
        std::optional<std::string> expectedTopic;
    };
    const std::vector<Case> cases{{true, true, "quillane-abc", "quillane-abc"},
                                  {false, true, "", std::nullopt},
                                  {true, false, "quillane-abc", std::nullopt}};
    for (const Case& c : cases) {
        ModelHarness harness;
        AppModel& model = harness.make();
        model.changeSettings([&](AppSettings& settings) {
            settings.notifications = c.notifications;
            settings.phonePush = c.phonePush;
            settings.phonePushTopic = c.topic;
        });
        EXPECT_EQ(harness.notifications->enabled, c.notifications);
        EXPECT_EQ(harness.notifications->phoneTopic, c.expectedTopic) << c.topic;
    }
}

TEST(ModelStartup, StartRegistersOnceAndSnapshotModeSchedulesNoUpdateCheck) {
    LanguageScope language;
    for (const bool snapshot : {false, true}) {
        ModelHarness harness;
        harness.snapshotMode = snapshot;
        AppModel& model = harness.make();
        model.start();
        model.start();
        EXPECT_EQ(harness.volumes->starts(), 1);
        EXPECT_EQ(harness.power->starts(), 1);
        const auto timers = model.findChildren<QTimer*>();
        EXPECT_EQ(timers.size(), snapshot ? 0u : 2u) << "the daily update timer and the free-space reading";
    }
}

}  // namespace
}  // namespace quillane
