#include <QTest>

#include <gtest/gtest.h>

#include "Model/ModelStaging.h"
#include "Views/Kit/Toggle.h"
#include "Views/Settings/DisclosureButton.h"
#include "Views/Settings/RecognitionSettings.h"
#include "Views/Settings/SettingsView.h"
#include "Views/Settings/TransferSettings.h"
#include "Views/StructureEditor/StructureSettings.h"
#include "support/OffscreenApp.h"
#include "support/Scopes.h"
#include "support/app/ModelHarness.h"

namespace quillane {
namespace {

struct WindowFixture : ::testing::Test {
    testing::LanguageScope english{AppLanguage::en};
    testing::ModelHarness harness;
    AppModel& model = harness.make();
};

TEST_F(WindowFixture, ATabAskedForShowsItsContent) {
    SettingsView window(model);
    window.selectTab(SettingsTab::recognition);
    testing::saveRender(window, QStringLiteral("settings-opened"), QSize(760, 520));
    EXPECT_NE(qobject_cast<RecognitionSettings*>(window.tabContent()), nullptr);
    window.selectTab(SettingsTab::transfer);
    EXPECT_EQ(window.tab(), SettingsTab::transfer);

    // The window keeps its minimum size and the sidebar its width.
    window.resize(300, 200);
    EXPECT_GE(window.width(), 760);
    EXPECT_GE(window.height(), 520);
    EXPECT_EQ(window.findChild<QWidget*>(QStringLiteral("tab-transfer"))->parentWidget()->width(), 220);
}

TEST_F(WindowFixture, SwitchingTabsFoldsAdvancedAgainAndALanguageSwitchStartsOver) {
    SettingsView window(model);
    testing::saveRender(window, QStringLiteral("settings-structure"), QSize(760, 520));
    QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("tab-transfer")), Qt::LeftButton);
    auto* transfer = qobject_cast<TransferSettings*>(window.tabContent());
    ASSERT_NE(transfer, nullptr);
    EXPECT_FALSE(transfer->advancedShown());
    QTest::mouseClick(transfer->findChild<DisclosureButton*>(QStringLiteral("advanced")), Qt::LeftButton);
    EXPECT_TRUE(transfer->advancedShown());
    QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("tab-recognition")), Qt::LeftButton);
    QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("tab-transfer")), Qt::LeftButton);
    transfer = qobject_cast<TransferSettings*>(window.tabContent());
    ASSERT_NE(transfer, nullptr);
    EXPECT_FALSE(transfer->advancedShown());

    // A language switch rebuilds the window from the first tab.
    model.changeSettings([](AppSettings& s) { s.language = AppLanguage::nl; });
    harness.settle();
    EXPECT_EQ(window.tab(), SettingsTab::structure);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Instellingen"));
}

// Every tab in both languages, each with its own content, rendered for review.
TEST_F(WindowFixture, RendersEveryTabInBothLanguages) {
    model.changeSettings([](AppSettings& s) {
        s.learnedDrives["UUID-1"] = LearnedDrive{"A_CARD", DriveRole::source, {}};
        s.learnedDrives["UUID-2"] = LearnedDrive{"SHUTTLE_01", DriveRole::destination, {}};
        s.learnedDrives["UUID-3"] = LearnedDrive{"Macintosh HD backup", DriveRole::ignored, {}};
        s.phonePush = true;
        s.phonePushTopic = "quillane-abcdefghijkmnpqrstu";
    });
    harness.settle();
    for (const AppLanguage language : {AppLanguage::en, AppLanguage::nl}) {
        model.changeSettings([language](AppSettings& s) { s.language = language; });
        harness.settle();
        SettingsView window(model);
        EXPECT_EQ(window.windowTitle(), language == AppLanguage::en ? QStringLiteral("Settings") : QStringLiteral("Instellingen"));
        for (const SettingsTab tab : {SettingsTab::structure, SettingsTab::transfer, SettingsTab::recognition}) {
            window.selectTab(tab);
            ASSERT_EQ(window.tab(), tab);
            QWidget* content = window.tabContent();
            auto* transfer = qobject_cast<TransferSettings*>(content);
            if (transfer) transfer->findChild<DisclosureButton*>(QStringLiteral("advanced"))->setChecked(true);
            const QString name = QStringLiteral("settings-%1-%2")
                                     .arg(QString::fromStdString(AppLanguages::id(language)))
                                     .arg(static_cast<int>(tab));
            testing::saveRender(window, name, QSize(860, tab == SettingsTab::transfer ? 1180 : 640));
            switch (tab) {
            case SettingsTab::structure: EXPECT_NE(qobject_cast<StructureSettings*>(content), nullptr); break;
            case SettingsTab::transfer:
                ASSERT_NE(transfer, nullptr);
                EXPECT_TRUE(transfer->advancedShown());
                break;
            case SettingsTab::recognition:
                ASSERT_NE(qobject_cast<RecognitionSettings*>(content), nullptr);
                EXPECT_EQ(content->findChildren<QWidget*>(QStringLiteral("learnedName")).size(), 3);
                break;
            }
        }
    }
}

}  // namespace
}  // namespace quillane
