// Every state of the main window, its sheets and alerts, in both languages at the window's normal
// and smallest sizes: no text a user reads may be cut.
#include <gtest/gtest.h>

#include "Model/AppModel.h"
#include "Model/DemoDrives.h"
#include "Views/Kit/TextLabel.h"
#include "Views/Main/MainAlert.h"
#include "Views/Main/MainView.h"
#include "Views/Main/WindowNavigation.h"
#include "support/Scopes.h"
#include "support/app/MainWindowStaging.h"
#include "support/app/ModelHarness.h"
#include "LayoutFixture.h"

using namespace quillane;
using namespace quillane::testing;

namespace {

const char* stateName(TransferState state) {
    static const char* names[] = {"idle", "running", "paused", "succeeded", "failed", "cancelled"};
    return names[static_cast<int>(state)];
}

// A model of a busy cart in the given language, the project sheet closed.
struct Cart {
    explicit Cart(AppLanguage language, TransferState state, int ssds = 2) {
        AppModel& model = harness.make();
        model.changeSettings([language](AppSettings& s) { s.language = language; });
        model.setShowProjectSheet(false);
        stageCart(harness.stage(), ssds, 3, state == TransferState::running ? 1 : 0, state);
        harness.settle();
    }
    AppModel& model() { return harness.model(); }
    ModelHarness harness;
};

// The alert the view shows now, laid out as it opens.
void expectAlertFits(MainView& view, ModelHarness& harness, const QString& name) {
    harness.settle();
    MainAlert* alert = view.alertShown();
    ASSERT_NE(alert, nullptr) << name.toStdString();
    expectAllTextFits(*alert, QStringLiteral("alert-") + name);
}

}  // namespace

TEST(LayoutMainWindow, EveryTransferStateAtNormalAndSmallestSize) {
    for (AppLanguage language : AppLanguages::allCases) {
        LanguageScope scope;
        for (TransferState state : {TransferState::idle, TransferState::running, TransferState::paused,
                                    TransferState::succeeded, TransferState::failed, TransferState::cancelled}) {
            Cart cart(language, state, 4);
            WindowNavigation navigation;
            MainView view(cart.model(), navigation);
            for (const auto& [size, label] : {std::pair{mainWindowSizes.normal, "normal"}, std::pair{mainWindowSizes.minimum, "smallest"}})
                expectAllTextFits(view, QStringLiteral("main-%1-%2").arg(stateName(state), label), size);
        }
    }
}

TEST(LayoutMainWindow, AlertsWithTheirOwnTexts) {
    for (AppLanguage language : AppLanguages::allCases) {
        LanguageScope scope;
        {
            Cart cart(language, TransferState::running);
            WindowNavigation navigation;
            MainView view(cart.model(), navigation);
            showOffscreen(view, mainWindowSizes.minimum);
            // The staged run has no engine for the question to stop, so the window leaves it out:
            // the alert is made from the model's question directly.
            cart.model().cancelTransfer();
            ASSERT_TRUE(cart.model().alert().has_value());
            MainAlert alert(cart.model(), *cart.model().alert(), &view);
            alert.open();
            expectAllTextFits(alert, QStringLiteral("alert-stop"));
        }
        {
            // The card in the history as an earlier verified transfer.
            Cart cart(language, TransferState::idle);
            TransferRecord record;
            record.project = "Feature";
            record.roll = "A001";
            record.succeeded = true;
            record.fingerprint = cart.model().scan()->fingerprint;
            record.finishedAt = std::chrono::system_clock::now();
            cart.harness.stage().history({record});
            cart.harness.settle();
            WindowNavigation navigation;
            MainView view(cart.model(), navigation);
            showOffscreen(view, mainWindowSizes.minimum);
            cart.model().requestTransfer();
            expectAlertFits(view, cart.harness, "already-transferred");
        }
        {
            // Paused, and one of its SSDs gone.
            Cart cart(language, TransferState::paused, 3);
            std::vector<DriveState> drives = cart.model().drives();
            std::erase_if(drives, [](const DriveState& drive) { return drive.info.id == "ssd-1"; });
            cart.harness.stage().drives(drives);
            cart.harness.settle();
            WindowNavigation navigation;
            MainView view(cart.model(), navigation);
            showOffscreen(view, mainWindowSizes.minimum);
            cart.model().resumeTransfer();
            expectAlertFits(view, cart.harness, "reconnect");
        }
        {
            Cart cart(language, TransferState::idle);
            WindowNavigation navigation;
            MainView view(cart.model(), navigation);
            showOffscreen(view, mainWindowSizes.minimum);
            ASSERT_TRUE(cart.model().showDemoFolderNotice(DemoDrives::root() / "SSD"));
            expectAlertFits(view, cart.harness, "demo-folder");
        }
    }
}

TEST(LayoutMainWindow, ProjectAndFolderSheets) {
    for (AppLanguage language : AppLanguages::allCases) {
        LanguageScope scope;
        Cart cart(language, TransferState::idle, 4);
        cart.model().changeSettings([](AppSettings& s) {
            s.recentProjects = {"Feature", "Commercial Spring Campaign 2026", "Short", "Documentary", "Music video"};
        });
        WindowNavigation navigation;
        MainView view(cart.model(), navigation);
        showOffscreen(view, mainWindowSizes.minimum);
        cart.model().setShowProjectSheet(true);
        cart.harness.settle();
        ASSERT_EQ(view.sheetShown(), MainView::Sheet::project);
        expectAllTextFits(*view.sheet(), QStringLiteral("project-sheet"));
        cart.model().setShowProjectSheet(false);
        cart.harness.settle();

        cart.model().requestFolders(true, false);
        cart.harness.settle();
        ASSERT_EQ(view.sheetShown(), MainView::Sheet::folder);
        expectAllTextFits(*view.sheet(), QStringLiteral("folder-sheet"));
    }
}

TEST(LayoutMainWindow, ShortOfSpaceWithAFilledRollFolder) {
    for (AppLanguage language : AppLanguages::allCases) {
        LanguageScope scope;
        Cart cart(language, TransferState::idle, 2);
        std::vector<DestinationPlan> plans = cart.model().plans();
        for (DestinationPlan& plan : plans) {
            plan.requiredBytes = 108'700'000'000;
            plan.freeBytes = 1'020'000'000;
            plan.rollHasContent = true;
        }
        cart.harness.stage().plans(plans);
        cart.harness.settle();
        WindowNavigation navigation;
        MainView view(cart.model(), navigation);
        for (const auto& [size, label] : {std::pair{mainWindowSizes.normal, "normal"}, std::pair{mainWindowSizes.minimum, "smallest"}})
            expectAllTextFits(view, QStringLiteral("main-short-of-space-%1").arg(label), size);
    }
}

TEST(LayoutMainWindow, ADeepCustomRollPathShowsWholeWhereItFits) {
    for (AppLanguage language : AppLanguages::allCases) {
        LanguageScope scope;
        Cart cart(language, TransferState::idle);
        cart.model().changeSettings([](AppSettings& s) { s.folderTemplate.pattern = "{PROJECT}/01_CAMERA/DAY_{DAY}/LUTS/{ROLL}"; });
        cart.harness.stage().project("Winter Game");
        cart.harness.settle();
        ASSERT_EQ(cart.model().targetPath().size(), 5u);
        WindowNavigation navigation;
        MainView view(cart.model(), navigation);
        expectAllTextFits(view, QStringLiteral("main-deep-path-normal"), mainWindowSizes.normal);
        // At the smallest size the longest names give way; a name is cut to a bare "…" only as the
        // mark of the first levels folded away, and a four-letter name stays whole.
        saveRender(view, QStringLiteral("layout-main-deep-path-smallest") + languageSuffix(), mainWindowSizes.minimum);
        const QList<TextLabel*> folders = view.findChildren<TextLabel*>(QStringLiteral("rollPathFolder"));
        const bool folded = std::any_of(folders.begin(), folders.end(), [](TextLabel* f) { return f->isHidden(); });
        for (const TextLabel* folder : folders) {
            if (!folder->isVisibleTo(&view)) continue;
            const bool mark = folded && folder == folders.front();
            if (!mark) {
                EXPECT_GE(folder->shownText().size(), 3) << folder->text().toStdString();
            }
            if (folder->text().size() <= 4) {
                EXPECT_EQ(folder->shownText(), folder->text());
            }
        }
    }
}
