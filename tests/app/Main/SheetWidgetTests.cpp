#include <gtest/gtest.h>

#include <QTest>

#include "Views/Main/FolderSheet.h"
#include "Views/Main/FolderTree.h"
#include "Views/Main/MainAlert.h"
#include "Views/Kit/TextLine.h"
#include "Views/Main/UpdateDetails.h"
#include "Views/Kit/StyledButton.h"
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
QString lineText(QWidget& parent, const char* name) {
    auto* line = child<TextLine>(parent, name);
    return line ? line->text() : QString();
}

DestinationPlan plan(const std::string& id, const std::string& name, const std::filesystem::path& base,
                     std::vector<std::string> missing) {
    DestinationPlan p;
    p.driveID = id;
    p.driveName = name;
    p.baseURL = base;
    for (const std::string& m : missing) p.missing.push_back(base / m);
    p.rollURL = base / "Feature/FOOTAGE/A001";
    return p;
}
}  // namespace

TEST(MainAlert, EitherButtonClearsTheAlertAndRunsTheActionOnce) {
    struct Case {
        const char* button;
        int runs;
    };
    for (const Case& c : {Case{"alertAction", 1}, Case{"alertClose", 0}}) {
        ModelHarness harness;
        AppModel& model = harness.make();
        int runs = 0;
        model.setAlert(AlertMessage("This card was already transferred", "A001 · 12 files", "Transfer again",
                                    [&runs] { ++runs; }));
        QWidget host;
        quillane::testing::showOffscreen(host);
        MainAlert alert(model, *model.alert(), &host);
        alert.open();
        child<StyledButton>(alert, c.button)->click();
        harness.settle();
        EXPECT_FALSE(model.alert()) << c.button;
        EXPECT_EQ(runs, c.runs) << c.button;
        EXPECT_FALSE(alert.isVisible());
    }
}

TEST(MainAlert, AnActionThatRaisesANewAlertKeepsIt) {
    ModelHarness harness;
    AppModel& model = harness.make();
    model.setAlert(AlertMessage("Roll folder not empty", "…", "Use A002",
                                [&model] { model.setAlert(AlertMessage("Resume?", "12 files are already there")); }));
    QWidget host;
    MainAlert alert(model, *model.alert(), &host);
    child<StyledButton>(alert, "alertAction")->click();
    ASSERT_TRUE(model.alert());
    EXPECT_EQ(model.alert()->title, "Resume?");
    // A second click on the closed alert changes nothing.
    child<StyledButton>(alert, "alertAction")->click();
    EXPECT_EQ(model.alert()->title, "Resume?");
}

TEST(MainAlert, OnlyOKWithoutAPairOfActionAndTitle) {
    ModelHarness harness;
    AppModel& model = harness.make();
    LanguageScope dutch(AppLanguage::nl);
    QWidget host;
    MainAlert titled(model, AlertMessage("<b>Title</b>", "Message", "Go"), &host);
    EXPECT_EQ(titled.findChild<StyledButton*>("alertAction"), nullptr);
    EXPECT_EQ(child<StyledButton>(titled, "alertClose")->text(), "OK");
    EXPECT_EQ(lineText(titled, "alertTitle"), "<b>Title</b>");
    MainAlert both(model, AlertMessage("T", "M", "Go", [] {}), &host);
    EXPECT_EQ(child<StyledButton>(both, "alertClose")->text(), "Annuleren");
    quillane::testing::saveRender(both, "main-alert");
}

TEST(FolderSheet, ListsTheRequestAndFollowsANewOne) {
    LanguageScope english(AppLanguage::en);
    ModelHarness harness;
    AppModel& model = harness.make();
    harness.stage().project("Feature").plans(
        {plan("ssd-1", "SHOOT_SSD", "/media/SHOOT_SSD", {"Feature", "Feature/FOOTAGE", "Feature/FOOTAGE/A001"}),
         plan("ssd-2", "BACKUP_SSD", "/media/BACKUP_SSD", {"Feature/FOOTAGE/A001"})});
    model.requestFolders(false, false);
    ASSERT_TRUE(model.folderRequest());
    QWidget host;
    FolderSheet sheet(model, *model.folderRequest(), &host);
    EXPECT_EQ(child<StyledButton>(sheet, "folderConfirm")->text(), "Allow");
    EXPECT_TRUE(lineText(sheet, "folderExplanation").startsWith("Quillane creates"));
    quillane::testing::saveRender(sheet, "folder-sheet");
    int paths = 0;
    for (TextLine* line : sheet.findChildren<TextLine*>())
        if (line->text().startsWith("/Feature")) ++paths;
    EXPECT_EQ(paths, 4);

    const UUID first = model.folderRequest()->id;
    harness.stage().plans({plan("ssd-1", "SHOOT_SSD", "/media/SHOOT_SSD", {"Other"})});
    model.requestFolders(false, false);
    ASSERT_NE(model.folderRequest()->id, first);
    sheet.setRequest(*model.folderRequest());
    paths = 0;
    for (TextLine* line : sheet.findChildren<TextLine*>())
        if (line->text().startsWith("/Feature") && line->isVisibleTo(&sheet)) ++paths;
    EXPECT_EQ(paths, 0);

    sheet.open();
    QTest::keyClick(&sheet, Qt::Key_Escape);
    EXPECT_FALSE(model.folderRequest());
    EXPECT_FALSE(std::filesystem::exists("/media/SHOOT_SSD/Other"));
}

TEST(FolderSheet, ManyFoldersScrollInsideTheSheet) {
    ModelHarness harness;
    AppModel& model = harness.make();
    LanguageScope dutch(AppLanguage::nl);
    std::vector<DestinationPlan> plans;
    for (int d = 0; d < 3; ++d) {
        std::vector<std::string> missing;
        for (int i = 0; i < 12; ++i) missing.push_back("Feature/DAY_" + std::to_string(i));
        plans.push_back(plan("ssd-" + std::to_string(d), "SSD_" + std::to_string(d), "/media/SSD_" + std::to_string(d), missing));
    }
    harness.stage().project("Feature").plans(plans);
    model.requestFolders(true, false);
    QWidget host;
    FolderSheet sheet(model, *model.folderRequest(), &host);
    EXPECT_EQ(child<StyledButton>(sheet, "folderConfirm")->text(), "Toestaan en starten");
    const QImage image = quillane::testing::saveRender(sheet, "folder-sheet-long");
    EXPECT_LE(child<QWidget>(sheet, "folderList")->height(), 260);
    EXPECT_LT(image.height(), 500);
}

TEST(UpdateDetails, WarningOnlyWhileATransferRuns) {
    LanguageScope english(AppLanguage::en);
    ModelHarness harness;
    AppModel& model = harness.make();
    UpdateDetails details(model, {"1.0.2", "https://example.invalid", std::nullopt, "Alleen Nederlands.", std::nullopt});
    quillane::testing::saveRender(details, "update-details-idle", QSize(340, 260));
    EXPECT_FALSE(child<TextLine>(details, "updateWarning")->isVisibleTo(&details));
    harness.stage().transfer(TransferState::running);
    details.refresh();
    EXPECT_TRUE(child<TextLine>(details, "updateWarning")->isVisibleTo(&details));
    quillane::testing::saveRender(details, "update-details-running", QSize(340, 300));
    EXPECT_EQ(localizedNotes({"1.0.2", "", std::nullopt, "Alleen Nederlands.", std::nullopt}), "Alleen Nederlands.");
}

TEST(FolderTree, DrawsThePlannedFolders) {
    LanguageScope english(AppLanguage::en);
    DestinationPlan p = plan("ssd-1", "SHOOT_SSD", "/media/SHOOT_SSD/Work/Clients", {});
    p.nodes = {{"Feature", 0, true, false, "/media/SHOOT_SSD/Work/Clients/Feature"},
               {"FOOTAGE", 1, true, false, "/media/SHOOT_SSD/Work/Clients/Feature/FOOTAGE"},
               {std::string(120, 'L') + "<b>", 2, false, false, "/x"},
               {"A001", 3, false, true, "/media/SHOOT_SSD/Work/Clients/Feature/FOOTAGE/DAY/A001"}};
    p.extraFolderCount = 3;
    DriveState drive;
    drive.info.url = "/media/SHOOT_SSD";
    FolderTree tree;
    tree.display(p, drive);
    tree.setFixedWidth(330);
    quillane::testing::saveRender(tree, "folder-tree");
    // The target's arrow stands 6 from its word, like every other part of the row.
    auto shown = [&tree](const char* name) {
        for (TextLine* line : tree.findChildren<TextLine*>(name))
            if (line->isVisibleTo(&tree)) return line;
        return static_cast<TextLine*>(nullptr);
    };
    const TextLine* arrow = shown("folderTargetArrow");
    const TextLine* word = shown("folderTargetWord");
    ASSERT_TRUE(arrow && word);
    EXPECT_EQ(word->x() - (arrow->x() + arrow->width()), 6);
    EXPECT_EQ(arrow->width(), arrow->sizeHint().width()) << "the arrow is as wide as its symbol";
    EXPECT_EQ(lineText(tree, "folderTreeBase"), "in /Work/Clients");
    EXPECT_EQ(lineText(tree, "folderTreeExtra"), "+ 3 extra folders from your settings");
    int badges = 0;
    for (TextLine* line : tree.findChildren<TextLine*>("folderNewBadge")) badges += line->isVisibleTo(&tree);
    EXPECT_EQ(badges, 2);
}
