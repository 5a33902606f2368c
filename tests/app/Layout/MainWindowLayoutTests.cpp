// Every state of the main window, its sheets and alerts, in both languages at the window's normal
// and smallest sizes: no text a user reads may be cut.
#include <gtest/gtest.h>

#include <QFontMetricsF>

#include "Model/AppModel.h"
#include "Model/DemoDrives.h"
#include "Views/Kit/TextLabel.h"
#include "Views/Main/MainAlert.h"
#include "Views/Main/MainView.h"
#include "Views/Main/WindowNavigation.h"
#include "Views/TransferColumn/RollPicker.h"
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

// Five earlier rolls of the project, their card names as long as a card's label goes, with the
// widest copies badge: three drives each, never read back.
std::vector<TransferRecord> recentRolls() {
    std::vector<TransferRecord> records;
    const char* cards[] = {"FX6_CARD_B1", "C70_MAINCAM", "ARRI_MINILF", "ZOOM_F8NPRO", "BMPCC6K_SD2"};
    for (int i = 0; i < 5; ++i) {
        std::vector<TransferRecord::Destination> drives;
        for (const char* ssd : {"SHOOT_SSD", "BACKUP_SSD", "SPARE_1TB"}) drives.emplace_back(ssd, "", true);
        records.emplace_back("Feature", "A10" + std::to_string(i), 1, cards[i], std::nullopt, "recent-" + std::to_string(i),
                             40, 112'000'000'000, std::chrono::system_clock::now() - std::chrono::hours(i), drives, false);
    }
    return records;
}

// A model of a busy cart in the given language, the project sheet closed.
struct Cart {
    explicit Cart(AppLanguage language, TransferState state, int ssds = 2) {
        AppModel& model = harness.make();
        model.changeSettings([language](AppSettings& s) { s.language = language; });
        model.setShowProjectSheet(false);
        stageCart(harness.stage(), ssds, 3, state == TransferState::running ? 1 : 0, state);
        harness.stage().history(recentRolls());
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
        // Every drive nearly full, its free-space line beside the chip's longest word.
        std::vector<DriveState> drives = cart.model().drives();
        for (DriveState& drive : drives) {
            drive.info.availableCapacity = 86'400'000;
            drive.info.totalCapacity = 134'200'000'000;
            drive.classification.confidence = 0.7;
        }
        cart.harness.stage().drives(drives);
        cart.harness.settle();
        WindowNavigation navigation;
        MainView view(cart.model(), navigation);
        for (const auto& [size, label] : {std::pair{mainWindowSizes.normal, "normal"}, std::pair{mainWindowSizes.minimum, "smallest"}})
            expectAllTextFits(view, QStringLiteral("main-short-of-space-%1").arg(label), size);
    }
}

// The roll path's names as shown: each whole, or its beginning and "…" (the first one may be the
// lone "…" of folded levels). When any is cut but none folded, the row has less than a character's
// room to spare.
void expectRollPathUsesItsRoom(MainView& view, const QString& name, QSize size) {
    saveRender(view, QStringLiteral("layout-main-") + name + languageSuffix(), size);
    const RollPicker* picker = view.findChild<RollPicker*>(QStringLiteral("rollPicker"));
    ASSERT_NE(picker, nullptr);
    const QList<TextLabel*> labels = picker->findChildren<TextLabel*>(QStringLiteral("rollPathFolder"));
    const std::vector<std::string>& folders = picker->content().folders;
    ASSERT_GE(labels.size(), static_cast<qsizetype>(folders.size()));
    const QString mark = QStringLiteral("\u2026");
    bool cut = false, folded = false;
    int left = picker->width();
    for (std::size_t i = 0; i < folders.size(); ++i) {
        const TextLabel* label = labels[static_cast<qsizetype>(i)];
        const QString whole = QString::fromStdString(folders[i]);
        const QString shown = label->isVisibleTo(picker) ? label->shownText() : QString();
        if (!shown.isEmpty()) left = std::min(left, label->x());
        if (shown == whole) continue;
        cut = true;
        folded = folded || shown == mark || shown.isEmpty();
        const bool beginning = shown.endsWith(mark) && shown.size() >= 4 && whole.startsWith(shown.chopped(1));
        EXPECT_TRUE(beginning || (i == 0 && shown == mark) || (i > 0 && shown.isEmpty()))
            << name.toStdString() << ": " << whole.toStdString() << " shown as " << shown.toStdString();
    }
    if (!cut || folded) return;
    const QWidget* menu = picker->findChild<QWidget*>(QStringLiteral("rollMenuButton"));
    const double character = QFontMetricsF(labels.front()->textFont()).horizontalAdvance(QStringLiteral("W"));
    EXPECT_LT(picker->width() - (menu->geometry().right() + 1 - left), character) << name.toStdString();
}

TEST(LayoutMainWindow, RollPathsUseAllTheirRoom) {
    const std::pair<const char*, const char*> paths[] = {
        {"deep-path", "{PROJECT}/01_CAMERA/DAY_{DAY}/LUTS/{ROLL}"},
        {"long-path", "{PROJECT}/03_AUDIO_STUDIO/SOUND_RECORDINGS/{ROLL}"},
    };
    for (AppLanguage language : AppLanguages::allCases) {
        LanguageScope scope;
        for (const auto& [name, folders] : paths) {
            const char* pattern = folders;
            Cart cart(language, TransferState::idle);
            cart.model().changeSettings([pattern](AppSettings& s) { s.folderTemplate.pattern = pattern; });
            cart.harness.stage().project("Zomerfilm Noordkaap Eiland");
            cart.harness.settle();
            WindowNavigation navigation;
            MainView view(cart.model(), navigation);
            expectRollPathUsesItsRoom(view, QStringLiteral("%1-normal").arg(name), mainWindowSizes.normal);
            expectRollPathUsesItsRoom(view, QStringLiteral("%1-smallest").arg(name), mainWindowSizes.minimum);
        }
    }
}

TEST(LayoutMainWindow, BarStatusesKeepTheirRoomFromTheFolderButton) {
    for (AppLanguage language : AppLanguages::allCases) {
        LanguageScope scope;
        Cart cart(language, TransferState::idle, 2);
        const std::vector<DestinationPlan> plans = cart.model().plans();
        TransferResult result = stagedResult(plans, true);
        result.destinations[0].failedFiles = {"XDROOT/Clip/A001C031.MP4"};
        result.destinations[1].error = Lang::current == AppLanguage::nl
                                           ? "Schrijffout op SSD_2: apparaat vol (A001C031.MP4)"
                                           : "Write error on SSD_2: device full (A001C031.MP4)";
        cart.harness.stage().transfer(TransferState::failed, std::nullopt, result);
        cart.harness.settle();
        WindowNavigation navigation;
        MainView view(cart.model(), navigation);
        for (const auto& [size, label] : {std::pair{mainWindowSizes.normal, "normal"}, std::pair{mainWindowSizes.minimum, "smallest"}}) {
            expectAllTextFits(view, QStringLiteral("main-bar-statuses-%1").arg(label), size);
            // A status that is cut has its line to itself: the folder button stands on a line of its own.
            for (const QWidget* bar : view.findChild<QWidget*>(QStringLiteral("destinationBars"))->findChildren<QWidget*>(
                     QString(), Qt::FindDirectChildrenOnly)) {
                const auto* status = bar->findChild<TextLabel*>(QStringLiteral("destinationStatus"));
                const QWidget* button = bar->findChild<QWidget*>(QStringLiteral("showFolder"));
                if (status == nullptr || status->shownText() == status->text() || !button->isVisibleTo(bar)) continue;
                EXPECT_GE(button->y(), status->geometry().bottom()) << label << ": " << status->text().toStdString();
            }
        }
    }
}
