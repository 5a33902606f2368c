#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include "Model/DemoDrives.h"
#include "Transfer/SourceScan.h"
#include "Views/History/ClipResults.h"
#include "Views/History/DriveTile.h"
#include "Views/History/HistoryView.h"
#include "Views/History/ProjectMenuButton.h"
#include "Views/History/RollList.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Kit/TextLabel.h"
#include "support/ChildWidget.h"
#include "support/OffscreenApp.h"
#include "support/Scopes.h"
#include "support/app/ModelHarness.h"
#include "HistoryFixtures.h"

using namespace quillane;
using namespace quillane::testing;

namespace {

// A model whose history and catalog hold the given transfers, each with the named clips.
struct Sheet {
    ModelHarness harness;
    AppModel& model = harness.make();
    std::vector<TransferRecord> history;  // newest first

    Sheet() { model.start(); }
    // The model sets the language of every text from its settings.
    explicit Sheet(AppLanguage language) : Sheet() {
        model.changeSettings([&](AppSettings& settings) { settings.language = language; });
    }

    void add(TransferRecord record, const std::vector<std::string>& clips = {}) {
        std::vector<ScannedFile> files;
        for (const auto& clip : clips) files.push_back(ScannedFile{record.roll + "/" + clip, 1'000'000});
        model.catalog().add(record.id, files, {});
        history.insert(history.begin(), std::move(record));
    }
    void publish() {
        harness.stage().history(history);
        harness.settle();
    }
    // Runs the searches the view asked for and shows their answers.
    void answer() {
        harness.drain();
        harness.settle();
    }
};

void type(HistoryView& view, const QString& text) { view.searchField()->setText(text); }

}  // namespace

TEST(HistoryView, TitleAndBodyFollowTheHistory) {
    for (const auto language : AppLanguages::allCases) {
        LanguageScope scope;
        const bool en = language == AppLanguage::en;
        Sheet sheet(language);
        HistoryView empty(sheet.model);
        EXPECT_EQ(child<TextLabel>(empty, "historyTitle")->text(), en ? "Overview" : "Overzicht");
        EXPECT_TRUE(child<QWidget>(empty, "noTransfers")->isVisibleTo(&empty));
        EXPECT_FALSE(child<QWidget>(empty, "projectMenu")->isVisibleTo(&empty));

        sheet.add(offload("Feature", "A001", {"SSD1"}));
        sheet.publish();
        EXPECT_EQ(child<TextLabel>(empty, "historyTitle")->text(), "Feature");
        EXPECT_TRUE(child<QWidget>(empty, "projectOverview")->isVisibleTo(&empty));
        EXPECT_FALSE(child<QWidget>(empty, "noTransfers")->isVisibleTo(&empty));
    }
}

TEST(HistoryView, ProjectMenuPicksAndKeepsTheProject) {
    Sheet sheet;
    sheet.add(offload("Feature", "A001", {"SSD1", "SSD2"}, 1, 1));
    sheet.add(offload("Commercial", "B001", {"SSD1"}, 1, 2));
    sheet.harness.stage().project("FEATURE");
    sheet.publish();
    HistoryView view(sheet.model);
    auto* menu = child<ProjectMenuButton>(view, "projectMenu");
    EXPECT_TRUE(menu->isVisibleTo(&view));
    EXPECT_FALSE(child<QWidget>(view, "historyTitle")->isVisibleTo(&view));
    EXPECT_EQ(view.currentProject(), "Feature");  // the history's capitalisation
    ASSERT_EQ(menu->menu()->actions().size(), 2);
    EXPECT_EQ(menu->menu()->actions()[0]->text(), "Commercial");  // most recent first

    menu->menu()->actions()[0]->trigger();
    EXPECT_EQ(view.currentProject(), "Commercial");
    EXPECT_EQ(child<RollList>(view, "rollList")->rows().front().roll, "B001");
    // The pick holds while the sheet is open, whatever the main window's project becomes.
    sheet.harness.stage().project("Feature");
    sheet.harness.settle();
    EXPECT_EQ(view.currentProject(), "Commercial");
}

TEST(HistoryView, SearchFromTwoCharactersUpToTwoHundredHits) {
    Sheet sheet;
    std::vector<std::string> clips;
    for (int i = 1; i <= 150; ++i) clips.push_back(std::string("C").append(std::to_string(1000 + i)).append(".MOV"));
    sheet.add(offload("Feature", "A001", {"SSD1"}, 1, 1), clips);
    sheet.add(offload("Feature", "A002", {"SSD1"}, 1, 2), clips);
    sheet.publish();
    HistoryView view(sheet.model);
    auto* results = child<ClipResults>(view, "clipResults");

    type(view, " c");
    sheet.answer();
    EXPECT_TRUE(child<QWidget>(view, "projectOverview")->isVisibleTo(&view));
    EXPECT_TRUE(child<QWidget>(view, "clearSearch")->isVisibleTo(&view));

    type(view, "c1");
    sheet.answer();
    ASSERT_TRUE(view.showsAnswer());
    EXPECT_EQ(results->cards().size(), 200u);

    type(view, "no such clip");
    sheet.answer();
    EXPECT_TRUE(view.showsAnswer());
    EXPECT_TRUE(results->cards().empty());

    QTest::mouseClick(child<StyledButton>(view, "clearSearch"), Qt::LeftButton);
    EXPECT_TRUE(view.searchField()->text().isEmpty());
    EXPECT_TRUE(child<QWidget>(view, "projectOverview")->isVisibleTo(&view));
    EXPECT_FALSE(child<QWidget>(view, "clearSearch")->isVisibleTo(&view));
}

TEST(HistoryView, LocationButtonsRevealOnlyConnectedCopiesAndDemoCopiesGiveTheNotice) {
    for (const bool demo : {false, true}) {
        Sheet sheet(AppLanguage::en);
        TempDir drives;
        const std::filesystem::path root = demo ? DemoDrives::root() : drives.path();
        TransferRecord record = offload("Feature", "A001", {"SSD1", "SSD2", "!SSD3"});
        record.destinations[0].path = (root / "SSD1/Feature/A001").string();
        record.destinations[1].path = (root / "SSD2/Feature/A001").string();
        if (demo) sheet.harness.volumes->push({FakeVolume::ssd(root / "SSD1", "SSD1", "demo-ssd")});
        else writeFile(drives / "SSD1/Feature/A001/A001/C0042.MOV", "clip");
        sheet.add(record, {"C0042.MOV"});
        sheet.publish();
        HistoryView view(sheet.model, "c0042");
        showOffscreen(view, QSize(HistoryView::sheetWidth, HistoryView::sheetHeight));
        sheet.answer();
        auto* results = child<ClipResults>(view, "clipResults");
        ASSERT_EQ(results->cards().size(), 1u);
        const auto& locations = results->cards()[0].locations;
        ASSERT_EQ(locations.size(), 2u);  // the failed copy is no location
        EXPECT_TRUE(locations[0].online);  // a demo drive counts as connected
        EXPECT_FALSE(locations[1].online);

        const auto& revealed = sheet.harness.desktop->revealed;
        QTest::mouseClick(results, Qt::LeftButton, {}, results->buttonRect(0, 1).center().toPoint());
        EXPECT_TRUE(revealed.empty());  // not connected: nothing happens
        EXPECT_FALSE(sheet.model.alert());
        QTest::mouseClick(results, Qt::LeftButton, {}, results->buttonRect(0, 0).center().toPoint());
        if (demo) {
            EXPECT_TRUE(revealed.empty());
            ASSERT_TRUE(sheet.model.alert());
            EXPECT_EQ(sheet.model.alert()->title, "Demo mode");
        } else {
            EXPECT_EQ(revealed, std::vector<std::filesystem::path>{drives / "SSD1/Feature/A001/A001/C0042.MOV"});
            // From the keyboard: Tab lands on the connected copy's button, Return shows it.
            QFocusEvent tabbedIn(QEvent::FocusIn, Qt::TabFocusReason);
            QCoreApplication::sendEvent(results, &tabbedIn);
            QTest::keyClick(results, Qt::Key_Return);
            EXPECT_EQ(revealed.size(), 2u);
        }
    }
}

TEST(HistoryView, TheSearchFieldTakesTheFocusOnlyWhenAskedFor) {
    for (const bool requested : {true, false}) {
        Sheet sheet;
        HistoryView view(sheet.model);
        if (requested) view.focusSearch();
        showOffscreen(view);
        EXPECT_EQ(view.focusWidget() == view.searchField(), requested);
    }
}

TEST(HistoryView, CloseAndEscapeAskToEndTheSheet) {
    Sheet sheet;
    HistoryView view(sheet.model);
    QSignalSpy closing(&view, &HistoryView::closeRequested);
    QTest::mouseClick(child<StyledButton>(view, "closeHistory"), Qt::LeftButton);
    EXPECT_EQ(closing.count(), 1);

    showOffscreen(view);
    QApplication::setActiveWindow(&view);
    view.searchField()->setFocus();
    QTest::keyClick(view.searchField(), Qt::Key_Escape);
    EXPECT_EQ(closing.count(), 2);
}

TEST(HistoryView, DriveDotsAndNewTransfersShowWhileOpen) {
    Sheet sheet;
    TempDir volumes;
    sheet.add(offload("Feature", "A001", {"SSD1", "SSD2"}), {"C0001.MOV"});
    sheet.publish();
    HistoryView view(sheet.model);
    const auto tiles = [&] { return view.findChildren<DriveTile*>("driveTile"); };
    ASSERT_EQ(tiles().size(), 2);
    EXPECT_FALSE(tiles()[0]->look().connected);

    sheet.harness.volumes->push({FakeVolume::ssd(volumes / "SSD1", "SSD1", "id-SSD1")});
    sheet.harness.settle();
    EXPECT_TRUE(tiles()[0]->look().connected);
    EXPECT_FALSE(tiles()[1]->look().connected);
    sheet.harness.volumes->push({});
    sheet.harness.settle();
    EXPECT_FALSE(tiles()[0]->look().connected);

    // A transfer that ends while the sheet is open is in the overview and found at once.
    sheet.add(offload("Feature", "A002", {"SSD1"}, std::nullopt, 5), {"C0002.MOV"});
    sheet.publish();
    EXPECT_EQ(view.findChildren<RollList*>("rollList").front()->rows().size(), 2u);
    type(view, "c0002");
    sheet.answer();
    ASSERT_EQ(child<ClipResults>(view, "clipResults")->cards().size(), 1u);
}

// For review: the sheet with the overview and with search results, in both languages.
TEST(HistoryView, Renders) {
    TimeZoneScope zone("Europe/Amsterdam");
    for (const auto language : AppLanguages::allCases) {
        LanguageScope scope;
        const QString suffix = language == AppLanguage::en ? "-en" : "-nl";
        Sheet sheet(language);
        TempDir volumes;
        TransferRecord first = offload("Feature <b>Night</b>", "A001", {"SSD1", "SSD2"}, std::nullopt, 1, 512'000'000'000);
        first.cameraLabel = "ARRI ALEXA 35";
        first.destinations[0].path = (volumes / "SSD1/Feature/A001").string();
        writeFile(volumes / "SSD1/Feature/A001/A001/A001C0042.MXF", "clip");  // one copy is connected
        sheet.add(first, {"A001C0041.MXF", "A001C0042.MXF"});
        sheet.add(offload("Feature <b>Night</b>", "A002", {"SSD1", "!SSD2"}, 1, 40, 256'000'000'000), {"A002C0042.MXF"});
        sheet.add(offload("Feature <b>Night</b>", "S001", {"!SSD2"}, 2, 80, 4'000'000'000), {"S001_T42.WAV"});
        sheet.add(offload("Commercial", "B001", {"RAID"}, 1, 90), {"B001C0042.MOV"});
        sheet.harness.stage().project("feature <b>night</b>");
        sheet.publish();
        sheet.harness.volumes->push({FakeVolume::ssd(volumes / "SSD1", "SSD1", "id-SSD1")});
        sheet.harness.settle();

        HistoryView overview(sheet.model);
        const QImage shot = saveRender(overview, "history-overview" + suffix, overview.sizeHint());
        EXPECT_FALSE(shot.isNull());

        HistoryView search(sheet.model, "C0042");
        showOffscreen(search, search.sizeHint());
        sheet.answer();
        ASSERT_TRUE(search.showsAnswer());
        EXPECT_EQ(child<ClipResults>(search, "clipResults")->cards().size(), 3u);
        EXPECT_FALSE(saveRender(search, "history-search" + suffix, search.sizeHint()).isNull());
    }
}
