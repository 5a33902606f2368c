#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>

#include "Model/AppModel.h"
#include "Model/DemoDrives.h"
#include "Model/ModelStaging.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Kit/TextLabel.h"
#include "Views/TransferColumn/ActionArea.h"
#include "Views/TransferColumn/DestinationBars.h"
#include "Views/TransferColumn/RecentTransfers.h"
#include "Views/TransferColumn/RollPicker.h"
#include "Views/TransferColumn/StatusHeadline.h"
#include "Views/TransferColumn/TransferColumn.h"
#include "support/OffscreenApp.h"
#include "support/Scopes.h"
#include "support/TempDir.h"
#include "support/app/MainWindowStaging.h"
#include "support/app/ModelHarness.h"

using namespace quillane;
using quillane::testing::LanguageScope;
using S = TransferState;

namespace {

constexpr std::int64_t GB = 1'000'000'000;

DestinationPlan plan(const std::string& id, const std::string& name, std::int64_t free, bool hasContent) {
    DestinationPlan p;
    p.driveID = id;
    p.driveName = name;
    p.baseURL = "/media/" + name;
    p.rollURL = "/media/" + name + "/Feature/A004";
    p.freeBytes = free;
    p.requiredBytes = 2'500'000'000;
    p.rollHasContent = hasContent;
    return p;
}

SourceScan cardScan() {
    SourceScan scan;
    scan.root = "/media/A_CAM";
    for (int i = 1; i <= 3; ++i) scan.files.push_back({"CLIPS/A004C00" + std::to_string(i) + ".mov", 833'333'333});
    scan.totalBytes = 2'499'999'999;
    scan.fingerprint = "00000000000000aa";
    return scan;
}

TransferProgress snapshot(TransferPhase phase, std::int64_t copied, std::int64_t verified) {
    TransferProgress p;
    p.phase = phase;
    p.totalBytes = 2'500'000'000;
    p.copiedBytes = copied;
    p.fraction = (copied + verified) / 5e9;
    p.bytesPerSecond = 412e6;
    p.secondsRemaining = 95;
    p.currentFile = "CLIPS/A004C002.mov";
    p.filesDone = 1;
    p.filesTotal = 3;
    p.destinations = {{0, "SSD A", copied, verified, std::nullopt}, {1, "SSD B", copied, verified, std::nullopt}};
    return p;
}

TransferResult result(std::optional<std::string> errorB, std::optional<std::string> sourceError = {}) {
    TransferResult r;
    r.startedAt = std::chrono::system_clock::time_point(std::chrono::hours(480'000));
    r.finishedAt = r.startedAt + std::chrono::seconds(6 * 60 + 5);
    r.fileCount = 3;
    r.totalBytes = 2'500'000'000;
    r.verified = true;
    r.sourceError = std::move(sourceError);
    for (const char* name : {"SSD A", "SSD B"}) {
        DestinationResult d;
        d.id = static_cast<int>(r.destinations.size());
        d.name = name;
        d.rollURL = std::string("/media/") + name + "/Feature/A004";
        d.reportURL = d.rollURL / "A004_report.html";
        r.destinations.push_back(std::move(d));
    }
    r.destinations[1].error = std::move(errorB);
    return r;
}

std::vector<TransferRecord> history() {
    const auto start = std::chrono::system_clock::time_point(std::chrono::hours(479'000));
    std::vector<TransferRecord> records;
    for (int i = 3; i >= 1; --i) {
        const std::string roll = "A00" + std::to_string(i);
        std::vector<TransferRecord::Destination> destinations{{"SSD A", "/media/SSD A/Feature/" + roll, true, "ssd-a"}};
        if (i != 2) destinations.push_back({"SSD B", "/media/SSD B/Feature/" + roll, true, "ssd-b"});
        records.emplace_back("Feature", roll, 1, "CAM_" + std::to_string(i), std::nullopt, "fp" + roll, 40,
                             (10 + i) * GB, start + std::chrono::hours(i), destinations, true);
    }
    return records;
}

const std::string hostileProject = "<b>Night</b> shoot &amp; " + std::string(150, 'x');
const std::string hostileError = "<img src=x> read error " + std::string(400, 'E');

// A model in one of the states the column shows, over a store of its own.
struct StagedModel {
    quillane::testing::ModelHarness harness;
    AppModel& model = harness.make();

    StagedModel(const std::string& state, AppLanguage language) {
        model.changeSettings([&](AppSettings& settings) { settings.language = language; });
        const bool withCard = state != "idle-no-card";
        std::vector<DriveState> drives{quillane::testing::stagedSSD("ssd-a", "SSD A"),
                                       quillane::testing::stagedSSD("ssd-b", "SSD B")};
        if (withCard) drives.insert(drives.begin(), quillane::testing::stagedCard("card-1", "A_CAM"));
        ModelStaging staging(model);
        staging.project(state == "hostile-names" ? hostileProject : "Feature").history(history()).drives(drives);
        if (withCard) staging.selectedSource("card-1").scan(cardScan(), ScanState::ready());
        staging.plans({plan("ssd-a", "SSD A", 1'800 * GB, false), plan("ssd-b", "SSD B", 2'560'000'000, true)});

        if (state == "running-copying") staging.transfer(S::running, snapshot(TransferPhase::copying, 1'050'000'000, 0));
        if (state == "running-verifying")
            staging.transfer(S::running, snapshot(TransferPhase::verifying, 2'500'000'000, 1'200'000'000));
        if (state == "paused-by-hand") staging.transfer(S::paused, snapshot(TransferPhase::copying, 900'000'000, 0), result({}));
        if (state == "paused-by-sleep") {
            staging.transfer(S::paused, snapshot(TransferPhase::copying, 900'000'000, 0), result({}));
            staging.pausedBySleep(true);
            staging.drives({drives[1]});  // the card and SSD B are gone
        }
        if (state == "succeeded")
            staging.transfer(S::succeeded, snapshot(TransferPhase::done, 2'500'000'000, 2'500'000'000), result({}));
        if (state == "failed-destination")
            staging.transfer(S::failed, snapshot(TransferPhase::done, 2'500'000'000, 2'500'000'000),
                             result("The drive was removed during the transfer"));
        if (state == "failed-source")
            staging.transfer(S::failed, snapshot(TransferPhase::copying, 700'000'000, 0),
                             result({}, "The card could not be read: Input/output error"));
        if (state == "hostile-names")
            staging.transfer(S::failed, snapshot(TransferPhase::copying, 700'000'000, 0), result({}, hostileError));
        if (state == "cancelled") staging.transfer(S::cancelled, snapshot(TransferPhase::copying, 600'000'000, 0));
        model.flushChanges();
    }
};

// Every text a person sees in the widget: labels, buttons, and the painted headline.
std::vector<std::string> visibleTexts(QWidget& root) {
    std::vector<std::string> texts;
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&root)) continue;
        if (auto* label = qobject_cast<TextLabel*>(widget)) texts.push_back(label->text().toStdString());
        if (auto* button = qobject_cast<StyledButton*>(widget)) texts.push_back(button->text().toStdString());
        if (auto* headline = qobject_cast<StatusHeadline*>(widget)) {
            texts.push_back(headline->content().first);
            if (headline->content().second) texts.push_back(*headline->content().second);
        }
    }
    return texts;
}

bool shows(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

}  // namespace

TEST(TransferColumn, RendersEveryStateInBothLanguages) {
    struct Case {
        const char* state;
        AppLanguage language;
        std::vector<std::string> expected;
        std::vector<std::string> absent;
    };
    const Case cases[] = {
        {"idle-no-card", AppLanguage::en, {"Ready for a card", "TRANSFER", "1.8 TB free", "Not enough space"}, {"Eject card"}},
        {"idle-no-card", AppLanguage::nl, {"Klaar voor een kaart", "TRANSFER", "1.8 TB vrij", "Te weinig ruimte"}, {}},
        {"idle-card", AppLanguage::en, {"2.5 GB", "3 files", "Feature", "Show in file manager", "CAM_3", "Overview"}, {}},
        {"idle-card", AppLanguage::nl, {"2.5 GB", "3 bestanden", "Toon in bestandsbeheerder", "Overzicht"}, {}},
        {"running-copying", AppLanguage::en,
         {"21%", "Copying · 412 MB/s · 1 min left", "Copying 42%", "Pause", "Stop", "CLIPS/A004C002.mov", "1 of 3 files"},
         {"TRANSFER"}},
        {"running-verifying", AppLanguage::nl,
         {"74%", "Verifiëren 48%", "Pauzeren", "Stoppen", "Elke kopie wordt teruggelezen en vergeleken"}, {}},
        {"paused-by-hand", AppLanguage::en,
         {"Paused", "Finished files stay and are checked when you resume", "Resume", "Stop"}, {"Pause"}},
        {"paused-by-sleep", AppLanguage::nl,
         {"Gepauzeerd", "Sluit A_CAM, SSD B weer aan om verder te gaan", "Hervatten"}, {}},
        {"succeeded", AppLanguage::en,
         {"Safely transferred", "2.5 GB in 6 min · 6.8 MB/s", "✓ Verified", "Eject card", "Report", "Next card"}, {}},
        {"succeeded", AppLanguage::nl, {"Veilig overgezet", "✓ Geverifieerd", "Kaart uitwerpen", "Rapport", "Volgende kaart"}, {}},
        {"failed-destination", AppLanguage::en,
         {"Not fully successful", "See SSD B, the drive with the red bar", "✓ Verified",
          "The drive was removed during the transfer", "Report", "Close"},
         {"Eject card"}},
        {"failed-source", AppLanguage::en,
         {"The card could not be read: Input/output error", "Incomplete", "Close"}, {"✓ Verified", "Eject card"}},
        {"failed-source", AppLanguage::nl, {"Niet volledig gelukt", "Onvolledig", "Sluiten"}, {"✓ Geverifieerd"}},
        {"hostile-names", AppLanguage::en, {hostileError, "Incomplete"}, {}},
        {"cancelled", AppLanguage::en, {"Stopped", "Press TRANSFER later to resume", "Close"}, {"Eject card", "Report"}},
        {"cancelled", AppLanguage::nl, {"Gestopt", "Druk later op TRANSFER om te hervatten", "Sluiten"}, {}},
    };
    for (const Case& c : cases) {
        LanguageScope restore;
        StagedModel staged(c.state, c.language);
        TransferColumn column(staged.model);
        quillane::testing::showOffscreen(column, QSize(560, 800));
        const std::string name = std::string("transfer-column-") + c.state + "-" + AppLanguages::id(c.language);
        const QImage image = quillane::testing::saveRender(column, QString::fromStdString(name), QSize(560, 800));
        EXPECT_FALSE(image.isNull()) << name;
        const std::vector<std::string> texts = visibleTexts(column);
        for (const std::string& text : c.expected) EXPECT_TRUE(shows(texts, text)) << name << ": missing " << text;
        for (const std::string& text : c.absent) EXPECT_FALSE(shows(texts, text)) << name << ": shows " << text;
    }
}

namespace {

QAction* action(QMenu* menu, const QString& text) {
    for (QAction* entry : menu->actions())
        if (entry->text() == text) return entry;
    return nullptr;
}

// The roll menu the picker opened last.
QMenu* openedRollMenu(RollPicker* picker) {
    const auto menus = picker->findChildren<QMenu*>(QStringLiteral("rollMenu"));
    return menus.isEmpty() ? nullptr : menus.back();
}

void openTapeMenu(RollPicker* picker) {
    auto* tape = picker->findChild<QWidget*>(QStringLiteral("rollTape"));
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(4, 4), tape->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(tape, &event);
}

}  // namespace

TEST(TransferColumn, RollMenuFromTheButtonAndFromTheTapeWhileRunning) {
    StagedModel staged("idle-card", AppLanguage::en);
    std::vector<TransferRecord> records = history();
    for (const char* roll : {"C001", "C002", "C003"})
        records.emplace_back("Feature", roll, 1, "CAM C", std::nullopt, std::string("fp") + roll, 1, GB,
                             std::chrono::system_clock::time_point(std::chrono::hours(470'000)),
                             std::vector<TransferRecord::Destination>{}, true);
    ModelStaging(staged.model).history(records);
    staged.model.flushChanges();
    TransferColumn column(staged.model);
    quillane::testing::showOffscreen(column, QSize(560, 800));
    RollPicker* picker = column.rollPicker();
    auto* button = picker->findChild<StyledButton*>(QStringLiteral("rollMenuButton"));
    ASSERT_TRUE(button->isEnabled());

    QTest::mouseClick(button, Qt::LeftButton);
    QMenu* menu = openedRollMenu(picker);
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(action(menu, "Next number"), nullptr);
    action(menu, "Next number")->trigger();
    menu->close();
    EXPECT_EQ(staged.model.rollOverride(), std::optional<std::string>("A005"));

    // While a card runs the chevron is off, but the tape's menu still picks the next card's roll.
    ModelStaging(staged.model).transfer(S::running, snapshot(TransferPhase::copying, 1, 0));
    staged.model.flushChanges();
    EXPECT_FALSE(button->isEnabled());
    openTapeMenu(picker);
    menu = openedRollMenu(picker);
    ASSERT_NE(menu, nullptr);
    auto* cameras = menu->findChild<QMenu*>(QStringLiteral("cameraMenu"));
    ASSERT_NE(cameras, nullptr);
    ASSERT_EQ(cameras->actions().size(), 10);
    ASSERT_NE(action(cameras, QStringLiteral("C-camera (C001 …)")), nullptr);
    action(cameras, QStringLiteral("C-camera (C001 …)"))->trigger();
    menu->close();
    staged.model.flushChanges();
    EXPECT_EQ(staged.model.cameraLetter(), "C");
    EXPECT_EQ(staged.model.rollOverride(), std::optional<std::string>("C004"));
    EXPECT_EQ(picker->content().roll, std::optional<std::string>("A005")) << "the row keeps the running job's roll";

    openTapeMenu(picker);
    menu = openedRollMenu(picker);
    ASSERT_NE(menu, nullptr);
    action(menu, "Automatic")->trigger();
    menu->close();
    EXPECT_EQ(staged.model.rollOverride(), std::nullopt);
}

TEST(TransferColumn, FolderAndReportButtonsReachTheDesktop) {
    quillane::testing::TempDir volumes;
    std::filesystem::create_directories(volumes / "SSD B" / "Feature");
    StagedModel staged("idle-card", AppLanguage::en);
    DestinationPlan real = plan("ssd-b", "SSD B", 2'000 * GB, true);
    real.rollURL = volumes / "SSD B" / "Feature" / "A004";
    DestinationPlan demo = plan("ssd-a", "SSD A", 2'000 * GB, true);
    demo.rollURL = DemoDrives::root() / "SSD A" / "Feature" / "A004";
    ModelStaging(staged.model).plans({demo, real});
    staged.model.flushChanges();
    TransferColumn column(staged.model);
    quillane::testing::showOffscreen(column, QSize(560, 800));

    const auto folderButtons = column.bars()->findChildren<StyledButton*>(QStringLiteral("showFolder"));
    ASSERT_EQ(folderButtons.size(), 2);
    for (StyledButton* button : folderButtons) QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(staged.harness.desktop->opened, (std::vector<std::filesystem::path>{volumes / "SSD B" / "Feature"}))
        << "the missing roll folder opens its nearest existing parent; the demo folder opens nothing";
    ASSERT_TRUE(staged.model.alert().has_value());
    EXPECT_EQ(staged.model.alert()->title, "Demo mode");

    ModelStaging(staged.model).transfer(S::succeeded, std::nullopt, result({}));
    staged.model.flushChanges();
    QTest::mouseClick(column.actions()->button(ActionButton::report), Qt::LeftButton);
    EXPECT_EQ(staged.harness.desktop->files, (std::vector<std::filesystem::path>{"/media/SSD A/Feature/A004/A004_report.html"}));
}

TEST(TransferColumn, AProgressTickUpdatesTheRowsInPlace) {
    StagedModel staged("running-copying", AppLanguage::en);
    TransferColumn column(staged.model);
    quillane::testing::showOffscreen(column, QSize(560, 800));
    const auto before = column.bars()->findChildren<DestinationBarView*>();
    const auto statuses = column.bars()->findChildren<TextLabel*>(QStringLiteral("destinationStatus"));
    ASSERT_EQ(statuses.size(), 2);

    ModelStaging(staged.model).transfer(S::running, snapshot(TransferPhase::copying, 2'000'000'000, 0));
    staged.model.flushChanges();
    EXPECT_EQ(column.bars()->findChildren<DestinationBarView*>(), before);
    EXPECT_EQ(statuses[0]->text(), "Copying 80%");
    EXPECT_EQ(column.headline()->content().first, "40%");
}
