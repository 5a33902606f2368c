#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "Views/Kit/StyledButton.h"
#include "Views/Main/HeaderBar.h"
#include "Views/Main/HeaderPills.h"
#include "Views/Main/ProjectSheet.h"
#include "Views/Kit/TextLine.h"
#include "support/ChildWidget.h"
#include "support/OffscreenApp.h"
#include "support/QtPrinters.h"
#include "support/Scopes.h"
#include "support/app/ModelHarness.h"

using namespace quillane;
using quillane::testing::child;
using quillane::testing::LanguageScope;
using quillane::testing::ModelHarness;

namespace {
void refresh(ModelHarness& harness, HeaderBar& bar) {
    harness.settle();
    bar.refresh(HeaderBar::reads());
}
}  // namespace

TEST(HeaderBar, ControlsFollowTheModel) {
    ModelHarness harness;
    AppModel& model = harness.make();
    HeaderBar bar(model);
    bar.resize(1300, 52);
    quillane::testing::saveRender(bar, "header-no-project", QSize(1300, 52));
    auto* picker = child<ProjectPicker>(bar, "projectPicker");
    EXPECT_EQ(picker->accessibleName(), "Choose project");
    EXPECT_FALSE(child<QWidget>(bar, "shootDayPill")->isVisibleTo(&bar));
    EXPECT_FALSE(child<QWidget>(bar, "updatePill")->isVisibleTo(&bar));

    harness.stage().project("Feature <i>Film</i>").transfer(TransferState::running);
    model.changeSettings([](AppSettings& s) { s.folderTemplate = FolderTemplate::fromLevels({"{PROJECT}", "DAY_{DAY}", "{ROLL}"}); });
    model.setAvailableUpdate(ReleaseInfo{"1.0.2", "https://example.invalid", std::nullopt, std::nullopt, std::nullopt});
    refresh(harness, bar);
    EXPECT_EQ(picker->accessibleName(), "Feature <i>Film</i>");
    EXPECT_FALSE(picker->isEnabled());
    EXPECT_FALSE(child<StyledButton>(bar, "headerDemoButton")->isEnabled());
    EXPECT_TRUE(child<QWidget>(bar, "shootDayPill")->isVisibleTo(&bar));
    EXPECT_FALSE(child<QWidget>(bar, "shootDayPill")->isEnabled());
    EXPECT_TRUE(child<QWidget>(bar, "updatePill")->isVisibleTo(&bar));
    EXPECT_TRUE(child<QWidget>(bar, "languageToggle")->isEnabled());
    quillane::testing::saveRender(bar, "header-running", QSize(1300, 52));

    bar.setStagedForScreenshot(true);
    harness.stage().transfer(TransferState::paused);
    refresh(harness, bar);
    EXPECT_TRUE(picker->isEnabled());
    EXPECT_FALSE(child<QWidget>(bar, "updatePill")->isVisibleTo(&bar));
}

TEST(HeaderBar, ButtonsAskForTheirSheetsAndWindows) {
    ModelHarness harness;
    AppModel& model = harness.make();
    model.setShowProjectSheet(false);
    HeaderBar bar(model);
    QSignalSpy history(&bar, &HeaderBar::historyRequested);
    QSignalSpy search(&bar, &HeaderBar::clipSearchRequested);
    QSignalSpy settings(&bar, &HeaderBar::settingsRequested);
    child<StyledButton>(bar, "projectOverviewButton")->click();
    EXPECT_EQ(history.count(), 1);
    EXPECT_EQ(search.count(), 0);
    child<StyledButton>(bar, "clipSearchButton")->click();
    EXPECT_EQ(search.count(), 1);
    child<ProjectPicker>(bar, "projectPicker")->click();
    EXPECT_TRUE(model.showProjectSheet());
    child<StyledButton>(bar, "settingsButton")->click();
    EXPECT_EQ(settings.count(), 1);
    EXPECT_EQ(history.count(), 1);
    EXPECT_TRUE(child<StyledButton>(bar, "clipSearchButton")->toolTip().endsWith("(Ctrl+F)"));
}

TEST(HeaderPills, ShootDayAndLanguageAct) {
    quillane::testing::LanguageScope language;
    ModelHarness harness;
    AppModel& model = harness.make();
    harness.stage().project("Feature");
    ShootDayPill pill(model);
    EXPECT_EQ(child<TextLine>(pill, "shootDayValue")->text(), "01");
    EXPECT_FALSE(child<StyledButton>(pill, "shootDayMinus")->isEnabled());
    child<StyledButton>(pill, "shootDayPlus")->click();
    harness.settle();
    pill.refresh();
    EXPECT_EQ(child<TextLine>(pill, "shootDayValue")->text(), "02");
    EXPECT_TRUE(child<StyledButton>(pill, "shootDayMinus")->isEnabled());

    LanguageToggle toggle(model);
    EXPECT_TRUE(child<StyledButton>(toggle, "language-en")->isChecked());
    child<StyledButton>(toggle, "language-nl")->click();
    EXPECT_EQ(model.settings().language, AppLanguage::nl);
    EXPECT_EQ(Lang::current.load(), AppLanguage::nl);
    harness.settle();
    toggle.refresh();
    pill.refresh();
    EXPECT_TRUE(child<StyledButton>(toggle, "language-nl")->isChecked());
    EXPECT_EQ(pill.toolTip(), "Draaidag voor {DAY} in je mappenstructuur");
    Lang::current = AppLanguage::en;
}

TEST(ProjectSheet, FirstStartNeedsAProject) {
    ModelHarness harness;
    AppModel& model = harness.make();
    QWidget host;
    quillane::testing::showOffscreen(host);
    ProjectSheet sheet(model, &host);
    sheet.open();
    quillane::testing::saveRender(sheet, "project-sheet-first");
    EXPECT_FALSE(child<StyledButton>(sheet, "projectCancel")->isVisibleTo(&sheet));
    auto* start = child<StyledButton>(sheet, "projectStart");
    EXPECT_FALSE(start->isEnabled());
    QTest::keyClick(&sheet, Qt::Key_Escape);
    EXPECT_TRUE(sheet.isVisible());
    auto* field = child<QLineEdit>(sheet, "projectNameField");
    field->setText(" \t ");
    EXPECT_FALSE(start->isEnabled());
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(sheet.isVisible());
    field->setText("  Feature  ");
    EXPECT_TRUE(start->isEnabled());
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(model.projectName(), "Feature");
}

TEST(ProjectSheet, RecentProjectsAndCancel) {
    ModelHarness harness;
    AppModel& model = harness.make();
    model.changeSettings([](AppSettings& s) { s.recentProjects = {"P1", "P2", "P3", "P4", "P5", "P6", "P7"}; });
    harness.stage().project("P1");
    QWidget host;
    ProjectSheet sheet(model, &host);
    sheet.open();
    quillane::testing::saveRender(sheet, "project-sheet-recent");
    const auto rows = sheet.findChildren<QAbstractButton*>("recentProject");
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows.back()->text(), "P5");
    for (int i = 1; i < rows.size(); ++i)  // whole 32-point rows, 2 apart: none overlaps the one above
        EXPECT_EQ(rows[i]->y() - rows[i - 1]->y(), rows[i - 1]->height() + 2) << i;
    child<QLineEdit>(sheet, "projectNameField")->setText("Edited");
    child<StyledButton>(sheet, "projectCancel")->click();
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(model.projectName(), "P1");
    sheet.open();
    rows[2]->click();
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(model.projectName(), "P3");
}
