// The popovers and menus of the main window, in both languages: rendered for review, and no text
// in a popover cut.
#include <gtest/gtest.h>

#include <QMenu>

#include "Model/AppModel.h"
#include "Views/Drives/DriveMenu.h"
#include "Views/Drives/RecognitionChip.h"
#include "Views/Main/MainView.h"
#include "Views/Main/WindowNavigation.h"
#include "Views/Main/UpdateDetails.h"
#include "Views/TransferColumn/RollPicker.h"
#include "support/Scopes.h"
#include "support/app/MainWindowStaging.h"
#include "support/app/ModelHarness.h"
#include "LayoutFixture.h"

using namespace quillane;
using namespace quillane::testing;

namespace {
struct Cart {
    Cart(AppLanguage language, TransferState state) {
        AppModel& model = harness.make();
        model.changeSettings([language](AppSettings& s) { s.language = language; });
        model.setShowProjectSheet(false);
        stageCart(harness.stage(), 2, 3, 0, state);
        harness.settle();
    }
    ModelHarness harness;
};
}  // namespace

TEST(LayoutPopovers, UpdateAndRecognitionDetails) {
    const ReleaseInfo release("1.1.0", "https://example.invalid/quillane-1.1.0",
                              "Faster verification of large cards, and reports that list every clip with its duration.",
                              "Sneller verifiëren van grote kaarten, en rapporten met elke clip en zijn duur.");
    for (AppLanguage language : AppLanguages::allCases) {
        LanguageScope scope;
        for (TransferState state : {TransferState::idle, TransferState::running}) {
            Cart cart(language, state);
            UpdatePopover popover(cart.harness.model(), release, nullptr);
            expectAllTextFits(popover, QStringLiteral("update-popover-%1").arg(state == TransferState::running ? "running" : "idle"));
        }
        Cart cart(language, TransferState::idle);
        for (const DriveState& drive : cart.harness.model().drives()) {
            RecognitionChip chip(cart.harness.model(), drive);
            showOffscreen(chip);
            chip.showDetails();
            ASSERT_NE(chip.details(), nullptr);
            expectAllTextFits(*chip.details(), QStringLiteral("recognition-details-") + QString::fromStdString(drive.info.name));
            chip.details()->hide();
        }
    }
}

TEST(LayoutPopovers, RollAndDriveMenus) {
    for (AppLanguage language : AppLanguages::allCases) {
        LanguageScope scope;
        Cart cart(language, TransferState::idle);
        WindowNavigation navigation;
        MainView view(cart.harness.model(), navigation);
        showOffscreen(view, mainWindowSizes.minimum);
        std::unique_ptr<QMenu> roll(view.findChild<RollPicker*>()->makeRollMenu());
        expectAllTextFits(*roll, QStringLiteral("menu-roll"));
        expectAllTextFits(*roll->findChild<QMenu*>(QStringLiteral("cameraMenu")), QStringLiteral("menu-camera"));
        std::unique_ptr<QMenu> drive(view.findChild<DriveMenu*>()->buildMenu());
        expectAllTextFits(*drive, QStringLiteral("menu-drive"));
    }
}
