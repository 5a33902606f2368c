// The settings window on every tab, and the history with its overview and its clip search, in both
// languages at normal and smallest sizes: no text a user reads may be cut.
#include <gtest/gtest.h>

#include "App/SnapshotStaging.h"
#include "Model/AppModel.h"
#include "Views/History/HistoryView.h"
#include "Views/Settings/SettingsTabLook.h"
#include "Views/Settings/SettingsView.h"
#include "support/Scopes.h"
#include "support/app/MainWindowStaging.h"
#include "support/app/ModelHarness.h"
#include "LayoutFixture.h"

using namespace quillane;
using namespace quillane::testing;

namespace {
const char* tabName(SettingsTab tab) {
    switch (tab) {
        case SettingsTab::structure: return "structure";
        case SettingsTab::transfer: return "transfer";
        case SettingsTab::recognition: return "recognition";
    }
    return "";
}
}  // namespace

TEST(LayoutWindows, EverySettingsTabAtNormalAndSmallestSize) {
    for (AppLanguage language : AppLanguages::allCases) {
        LanguageScope scope;
        ModelHarness harness;
        AppModel& model = harness.make();
        model.changeSettings([language](AppSettings& s) { s.language = language; });
        stageCart(harness.stage(), 2, 3, 0, TransferState::idle);
        harness.settle();
        for (const SettingsTab tab : SettingsTabs::allCases) {
            SettingsView window(model);
            window.selectTab(tab);
            for (const auto& [size, label] : {std::pair{settingsSizes.normal, "normal"}, std::pair{settingsSizes.minimum, "smallest"}})
                expectAllTextFits(window, QStringLiteral("settings-%1-%2").arg(tabName(tab), label), size);
        }
        // A deep structure of the user's own, with its shoot-day switch.
        model.changeSettings([](AppSettings& s) { s.folderTemplate.pattern = "{PROJECT}/01_CAMERA/DAY_{DAY}/LUTS/{ROLL}"; });
        SettingsView window(model);
        window.selectTab(SettingsTab::structure);
        for (const auto& [size, label] : {std::pair{settingsSizes.normal, "normal"}, std::pair{settingsSizes.minimum, "smallest"}})
            expectAllTextFits(window, QStringLiteral("settings-structure-custom-%1").arg(label), size);
    }
}

TEST(LayoutWindows, HistoryOverviewAndClipSearch) {
    for (AppLanguage language : AppLanguages::allCases) {
        LanguageScope scope;
        ModelHarness harness;
        AppModel& model = harness.make();
        model.changeSettings([language](AppSettings& s) { s.language = language; });
        harness.stage().project("Feature");
        std::vector<TransferRecord> history = Snapshot::demoHistory("Feature");
        // Two cards on three and four drives, never read back: the widest badges beside the most chips.
        for (const std::size_t drives : {3u, 4u}) {
            std::vector<TransferRecord::Destination> copies;
            for (const char* ssd : {"SHOOT_SSD", "BACKUP_SSD", "SPARE_1TB", "ARCHIVE_8TB"})
                if (copies.size() < drives) copies.emplace_back(ssd, "", true);
            history.emplace_back("Feature", "C00" + std::to_string(drives), 3, "C70_MAINCAM", "Canon · XF-AVC",
                                 "wide-" + std::to_string(drives), 40, 96'000'000'000, std::chrono::system_clock::now(),
                                 copies, false);
        }
        model.addDemoHistory(history);
        harness.settle();
        HistoryView overview(model);
        expectAllTextFits(overview, QStringLiteral("history-overview"), overview.sizeHint());
        HistoryView search(model, QStringLiteral("C0042"));
        showOffscreen(search, search.sizeHint());
        harness.drain();
        expectAllTextFits(search, QStringLiteral("history-search"), search.sizeHint());
    }
}
