#include <gtest/gtest.h>

#include <QTest>

#include <map>

#include "Views/Drives/DriveCard.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Kit/TapeLabel.h"
#include "Views/Kit/TextLabel.h"
#include "Views/Main/DestinationColumn.h"
#include "Views/Main/FolderSheet.h"
#include "Views/Main/MainAlert.h"
#include "Views/Main/MainView.h"
#include "Views/Main/WindowNavigation.h"
#include "Views/Main/SourceColumn.h"
#include "Views/Kit/TextLine.h"
#include "support/OffscreenApp.h"
#include "support/QtPrinters.h"
#include "support/Scopes.h"
#include "support/app/MainWindowStaging.h"
#include "support/app/ModelHarness.h"

using namespace quillane;
using namespace quillane::testing;

namespace {
// Collects the Qt warnings of a scope.
class WarningCatcher {
public:
    WarningCatcher() {
        messages().clear();
        previous_ = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            // The offscreen platform says this of every top-level window with a size limit.
            if (type != QtDebugMsg && type != QtInfoMsg && !text.contains("propagateSizeHints"))
                messages().push_back(text.toStdString());
        });
    }
    ~WarningCatcher() { qInstallMessageHandler(previous_); }
    static std::vector<std::string>& messages() {
        static std::vector<std::string> list;
        return list;
    }

private:
    QtMessageHandler previous_;
};

const char* stateName(TransferState state) {
    static const char* names[] = {"idle", "running", "paused", "succeeded", "failed", "cancelled"};
    return names[static_cast<int>(state)];
}
}  // namespace

TEST(MainView, RendersEveryTransferStateInBothLanguages) {
    for (AppLanguage language : AppLanguages::allCases) {
        for (TransferState state : {TransferState::idle, TransferState::running, TransferState::paused,
                                    TransferState::succeeded, TransferState::failed, TransferState::cancelled}) {
            ModelHarness harness;
            AppModel& model = harness.make();
            model.changeSettings([language](AppSettings& s) { s.language = language; });
            model.setShowProjectSheet(false);
            stageCart(harness.stage(), 2, 3, state == TransferState::running ? 1 : 0, state);
            harness.settle();
            WarningCatcher warnings;
            WindowNavigation navigation;
            MainView view(model, navigation);
            const QImage image = saveRender(view, QStringLiteral("main-%1-%2")
                                                      .arg(stateName(state))
                                                      .arg(QString::fromStdString(AppLanguages::id(language))),
                                            QSize(1300, 800));
            EXPECT_EQ(image.size(), QSize(1300, 800));
            EXPECT_TRUE(WarningCatcher::messages().empty()) << stateName(state) << ": " << WarningCatcher::messages().front();
            EXPECT_EQ(view.findChild<SourceColumn*>()->width(), 330);
            EXPECT_EQ(view.findChild<DestinationColumn*>()->width(), 370);
            // A card's status badge covers neither its capacity bar nor its subtitle.
            for (QWidget* badge : view.findChildren<QWidget*>("sourceBadge")) {
                if (!badge->isVisible()) continue;
                QWidget* card = badge->parentWidget();
                const QRect tag(badge->mapTo(card, QPoint(0, 0)), badge->size());
                for (const char* part : {"capacityBar", "driveSubtitle"}) {
                    auto* shown = card->findChild<QWidget*>(part);
                    const QRect used(shown->mapTo(card, shown->contentsRect().topLeft()), shown->contentsRect().size());
                    EXPECT_FALSE(tag.intersects(used)) << part;
                }
            }
        }
    }
}

TEST(MainView, TheNarrowestWindowKeepsTheSideColumnsAndProgressTicksRefreshInPlace) {
    ModelHarness harness;
    AppModel& model = harness.make();
    model.setShowProjectSheet(false);
    stageCart(harness.stage(), 4, 6, 3, TransferState::running);
    harness.settle();
    WindowNavigation navigation;
    MainView view(model, navigation);
    saveRender(view, "main-narrowest", QSize(1120, 700));
    EXPECT_EQ(view.findChild<SourceColumn*>()->width(), 330);
    EXPECT_EQ(view.findChild<DestinationColumn*>()->width(), 370);
    const auto cardsBefore = view.findChildren<DriveCard*>();
    const auto linesBefore = view.findChildren<TextLine*>();
    const auto plans = model.plans();
    for (double fraction : {0.5, 0.6, 0.7}) {
        harness.stage().progress(stagedProgress(plans, TransferPhase::verifying, fraction, 64'000'000'000));
        harness.settle();
    }
    EXPECT_EQ(view.findChildren<DriveCard*>(), cardsBefore);
    EXPECT_EQ(view.findChildren<TextLine*>(), linesBefore);
    int verifying = 0;
    for (TextLine* line : view.findChildren<TextLine*>("destinationProgressText"))
        verifying += line->isVisibleTo(&view) && line->text() == "Verifying…";
    EXPECT_EQ(verifying, 4);
    // A job without verification passes the same phases but reads nothing back: still copying.
    model.changeSettings([](AppSettings& s) { s.verifyAfterCopy = false; });
    harness.stage().transfer(TransferState::running,
                             stagedProgress(plans, TransferPhase::finishing, 0.9, 64'000'000'000));
    harness.settle();
    int copying = 0;
    for (TextLine* line : view.findChildren<TextLine*>("destinationProgressText"))
        copying += line->isVisibleTo(&view) && line->text() == "Copying…";
    EXPECT_EQ(copying, 4);
}

TEST(MainView, SheetsFollowTheirFieldsOneAtATime) {
    ModelHarness harness;
    AppModel& model = harness.make();
    WindowNavigation navigation;
    MainView view(model, navigation);
    showOffscreen(view, QSize(1300, 800));
    harness.settle();
    // First start: the project sheet, and Escape can't close it without a project.
    ASSERT_EQ(view.sheetShown(), MainView::Sheet::project);
    QTest::keyClick(view.sheet(), Qt::Key_Escape);
    harness.settle();
    EXPECT_TRUE(model.showProjectSheet());
    EXPECT_EQ(view.sheetShown(), MainView::Sheet::project);
    model.setProject("Feature");
    model.setShowProjectSheet(false);
    harness.settle();
    EXPECT_EQ(view.sheetShown(), MainView::Sheet::none);

    // The history sheet: closed by the user, the navigation has it closed too.
    navigation.showHistory();
    harness.settle();
    ASSERT_EQ(view.sheetShown(), MainView::Sheet::history);
    view.sheet()->reject();
    harness.settle();
    EXPECT_EQ(navigation.history(), WindowNavigation::History::closed);
    EXPECT_EQ(view.sheetShown(), MainView::Sheet::none);

    // A folder request replaces the list of the open folder sheet; the model closing it writes nothing.
    stageCart(harness.stage(), 2, 1, 0, TransferState::idle);
    harness.stage().plans({stagedPlan(stagedSSD("ssd-0", "SSD_1"), "Feature", "A001", 1, 0)});
    model.requestFolders(false, false);
    harness.settle();
    ASSERT_EQ(view.sheetShown(), MainView::Sheet::folder);
    auto* sheet = static_cast<FolderSheet*>(view.sheet());
    const UUID first = sheet->requestID();
    harness.stage().plans({stagedPlan(stagedSSD("ssd-1", "SSD_2"), "Feature", "A002", 1, 1)});
    model.requestFolders(false, false);
    harness.settle();
    EXPECT_EQ(view.sheet(), sheet);
    EXPECT_NE(sheet->requestID(), first);
    EXPECT_EQ(sheet->requestID(), model.folderRequest()->id);

    // An alert comes over the sheet; the action raising a new alert keeps the new one.
    int runs = 0;
    model.setAlert(AlertMessage("Roll folder not empty", "…", "Use A003", [&] {
        ++runs;
        model.setAlert(AlertMessage("Resume?", "12 files are already there"));
    }));
    harness.settle();
    ASSERT_NE(view.alertShown(), nullptr);
    EXPECT_EQ(view.alertShown()->parentWidget(), &view);
    view.alertShown()->findChild<StyledButton*>("alertAction")->click();
    harness.settle();
    EXPECT_EQ(runs, 1);
    ASSERT_TRUE(model.alert());
    EXPECT_EQ(model.alert()->title, "Resume?");
    ASSERT_NE(view.alertShown(), nullptr);
    EXPECT_EQ(view.alertShown()->alertID(), model.alert()->id);
    view.alertShown()->findChild<StyledButton*>("alertClose")->click();
    harness.settle();
    EXPECT_FALSE(model.alert());
    EXPECT_EQ(view.alertShown(), nullptr);

    // The project sheet goes before the folder sheet; the folder request stays for afterwards. An
    // alert shown over the folder sheet stays up when the model switches sheets under it.
    model.setAlert(AlertMessage("Eject failed", "SSD_1 is busy"));
    harness.settle();
    ASSERT_NE(view.alertShown(), nullptr);
    model.setShowProjectSheet(true);
    harness.settle();
    EXPECT_EQ(view.sheetShown(), MainView::Sheet::project);
    ASSERT_NE(view.alertShown(), nullptr);
    EXPECT_TRUE(view.alertShown()->isVisible());
    view.alertShown()->findChild<StyledButton*>("alertClose")->click();
    harness.settle();
    EXPECT_FALSE(model.alert());
    EXPECT_TRUE(model.folderRequest());
    view.sheet()->reject();
    harness.settle();
    EXPECT_FALSE(model.showProjectSheet());
    EXPECT_EQ(view.sheetShown(), MainView::Sheet::folder);
}

// Before any card or SSD, the window shows where a card would land, the same in either language.
TEST(MainView, TheEmptyWindowShowsTheSameRollPathInEitherLanguage) {
    std::map<AppLanguage, QStringList> shown;
    for (AppLanguage language : AppLanguages::allCases) {
        LanguageScope scope;
        ModelHarness harness;
        AppModel& model = harness.make();
        model.changeSettings([language](AppSettings& s) { s.language = language; });
        model.setShowProjectSheet(false);
        harness.settle();
        WindowNavigation navigation;
        MainView view(model, navigation);
        showOffscreen(view, QSize(1300, 800));
        for (const TextLabel* folder : view.findChildren<TextLabel*>(QStringLiteral("rollPathFolder")))
            if (folder->isVisibleTo(&view)) shown[language] << folder->text();
        const auto* tape = view.findChild<TapeLabel*>(QStringLiteral("rollTape"));
        ASSERT_NE(tape, nullptr);
        if (tape->isVisibleTo(&view)) shown[language] << tape->text();
    }
    EXPECT_EQ(shown[AppLanguage::en].size(), 3) << shown[AppLanguage::en].join(" › ").toStdString();
    EXPECT_EQ(shown[AppLanguage::en], shown[AppLanguage::nl]);
}
