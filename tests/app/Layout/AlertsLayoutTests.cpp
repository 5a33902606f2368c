// The alerts a crew meets at the cart, each raised the way the application raises it and shown at
// its own size, in both languages: no text in one may be cut.
#include <gtest/gtest.h>

#include <QApplication>
#include <functional>

#include "App/MainWindow.h"
#include "Model/AppModel.h"
#include "Views/Main/AlertBox.h"
#include "Views/Main/MainAlert.h"
#include "Views/Main/MainView.h"
#include "Views/Main/WindowNavigation.h"
#include "support/FaultyFileIO.h"
#include "support/Scopes.h"
#include "support/app/MainWindowStaging.h"
#include "support/app/ModelHarness.h"
#include "support/app/ModelRig.h"
#include "LayoutFixture.h"

using namespace quillane;
using namespace quillane::testing;

namespace {

// In each language: a rig with a started model under a main window, `raise` brings the alert up
// the way a crew does, and the alert the window shows is checked under `name`.
void expectModelAlertFits(const char* name, const std::function<void(ModelRig&)>& raise) {
    for (AppLanguage language : AppLanguages::allCases) {
        LanguageScope scope;
        ModelRig rig;
        rig.model().changeSettings([language](AppSettings& s) { s.language = language; });
        WindowNavigation navigation;
        MainView view(rig.model(), navigation);
        showOffscreen(view, mainWindowSizes.minimum);
        raise(rig);
        rig.harness.settle();
        MainAlert* alert = view.alertShown();
        ASSERT_NE(alert, nullptr) << name << languageSuffix().toStdString();
        expectAllTextFits(*alert, QStringLiteral("alert-") + QString::fromLatin1(name));
    }
}

// The window's own question or box, found by objectName once `open` has raised it.
void expectWindowBoxFits(const char* objectName, const char* name, TransferState state,
                         const std::function<void(MainWindow&)>& open) {
    for (AppLanguage language : AppLanguages::allCases) {
        LanguageScope scope;
        ModelHarness harness;
        AppModel& model = harness.make();
        model.changeSettings([language](AppSettings& s) { s.language = language; });
        model.setShowProjectSheet(false);
        stageCart(harness.stage(), 2, 1, 0, state);
        harness.settle();
        MainWindow window(model);
        showOffscreen(window, mainWindowSizes.normal);
        open(window);
        QCoreApplication::processEvents();
        auto* box = window.findChild<AlertBox*>(QString::fromLatin1(objectName));
        ASSERT_NE(box, nullptr) << name;
        expectAllTextFits(*box, QStringLiteral("alert-") + QString::fromLatin1(name));
        box->reject();
    }
}

// A roll folder that already holds a clip of the card on both SSDs: TRANSFER asks to resume.
void askToResume(ModelRig& rig) {
    for (const fs::path& ssd : {rig.ssdA, rig.ssdB})
        writeFile(ssd / "Alpha/FOOTAGE/A001/PRIVATE/M4ROOT/CLIP/C0001.MP4", std::string(300'000, 'a'));
    rig.mountAll();
    rig.tapTransfer();
}

}  // namespace

// The queue stops after a failed card, and when the next card can't start (no room on an SSD).
TEST(LayoutAlerts, QueuePaused) {
    for (const bool noRoom : {false, true})
        expectModelAlertFits(noRoom ? "queue-paused-no-room" : "queue-paused", [noRoom](ModelRig& rig) {
            FaultyFileIO faults;
            if (!noRoom) faults.fail({FaultyFileIO::Call::write, "SSD_B/", EIO, 0, 0, true});
            std::vector<DriveInfo> volumes = rig.all();
            volumes.push_back(rig.otherCard());
            ASSERT_TRUE(rig.startHeld(volumes));
            rig.model().selectSource(std::string("CARD-2"));
            rig.harness.drain();
            rig.model().enqueueSelected();
            ASSERT_EQ(rig.model().queue().size(), 1u);
            if (noRoom) rig.harness.space->set(rig.ssdB, 1000);
            rig.harness.engines->gated = false;
            rig.harness.engines->openGates();
            ASSERT_TRUE(rig.waitFor([&] { return rig.model().alert().has_value(); }));
        });
}

TEST(LayoutAlerts, DifferentCard) {
    expectModelAlertFits("different-card", [](ModelRig& rig) {
        const auto withCard = [&] {
            std::vector<DriveInfo> volumes = rig.all();
            volumes[0] = FakeVolume::card(rig.card, "A001_SONY");
            return volumes;
        };
        ASSERT_TRUE(rig.startHeld(withCard()));
        ASSERT_TRUE(rig.pause(false));
        rig.mount(rig.allBut("A001_SONY"));
        fs::remove_all(rig.card);
        writeFile(rig.card / "PRIVATE/M4ROOT/CLIP/C0001.MP4", std::string(120'000, 'x'));
        rig.harness.engines->gated = false;
        rig.mount(withCard());
        rig.model().resumeTransfer();
        rig.harness.drain();
    });
}

TEST(LayoutAlerts, RollAlreadyExists) {
    expectModelAlertFits("already-exists", [](ModelRig& rig) {
        rig.model().changeSettings([](AppSettings& s) { s.useCardReelName = false; });
        writeFile(rig.ssdA / "Alpha/FOOTAGE/A001/PRIVATE/M4ROOT/CLIP/C0001.MP4", "other bytes");
        writeFile(rig.ssdB / "Alpha/FOOTAGE/A001/PRIVATE/M4ROOT/CLIP/C0001.MP4", "other bytes");
        writeFile(rig.ssdA / "Alpha/FOOTAGE/A004/clip.mov", "x");
        rig.mountAll();
        rig.model().stepRoll(-4);
        rig.tapTransfer();
    });
}

TEST(LayoutAlerts, Resume) { expectModelAlertFits("resume", askToResume); }

TEST(LayoutAlerts, NotEnoughSpace) {
    expectModelAlertFits("not-enough-space", [](ModelRig& rig) {
        askToResume(rig);
        ASSERT_TRUE(rig.model().alert().has_value());
        // While the resume question waits, another program fills SSD_B.
        rig.harness.space->set(rig.ssdB, 100'000);
        rig.model().closeAlert(rig.model().alert()->id, true);
    });
}

TEST(LayoutAlerts, UpdateCheckWithoutInternet) {
    for (AppLanguage language : AppLanguages::allCases) {
        LanguageScope scope;
        ModelHarness harness;
        harness.updateFeedURL = "http://127.0.0.1:9/quillane/feed.json";
        AppModel& model = harness.make();
        model.changeSettings([language](AppSettings& s) { s.language = language; });
        model.setShowProjectSheet(false);
        harness.settle();
        WindowNavigation navigation;
        MainView view(model, navigation);
        showOffscreen(view, mainWindowSizes.minimum);
        model.checkForUpdates(true);
        ASSERT_TRUE(harness.waitUntil([&] { return view.alertShown() != nullptr; }));
        expectAllTextFits(*view.alertShown(), QStringLiteral("alert-updates"));
    }
}

TEST(LayoutAlerts, QuitGuardAndAbout) {
    expectWindowBoxFits("quitQuestion", "quit-guard", TransferState::running, [](MainWindow& window) { window.close(); });
    expectWindowBoxFits("aboutBox", "about", TransferState::idle,
                        [](MainWindow& window) { window.action("about")->trigger(); });
}
