#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>

#include <fcntl.h>
#include <unistd.h>

#include <functional>
#include <list>
#include <set>

#include "App/MainWindow.h"
#include "CrewRig.h"
#include "Model/AppModel.h"
#include "Support/Lang.h"
#include "Views/History/ClipResults.h"
#include "Views/Kit/FocusRing.h"
#include "Views/Kit/CopiesBadge.h"
#include "Views/Kit/TapeLabel.h"
#include "Views/History/RollList.h"
#include "Views/TransferColumn/StatusHeadline.h"
#include "support/FakeProgram.h"
#include "support/FaultyFileIO.h"

namespace quillane::testing {
namespace {

namespace fs = std::filesystem;

// The crew's day through the window, in each interface language: every text the walk checks is
// the one of the language the crew chose in the header.
class CrewWalk : public ::testing::TestWithParam<AppLanguage> {
protected:
    void SetUp() override {
        if (const auto why = CrewRig::unavailable()) GTEST_SKIP() << *why;
        rig.emplace();
    }
    void TearDown() override {
        // A test that stopped half-way may leave the copy held: let it go, so the model can end it.
        for (CopyGate& gate : gates) gate.open();
        rig.reset();
        io.reset();
    }

    // The walk's language's text.
    std::string T(std::string_view nl, std::string_view en) const {
        return std::string(GetParam() == AppLanguage::en ? en : nl);
    }
    QString Q(std::string_view nl, std::string_view en) const { return QString::fromStdString(T(nl, en)); }

    StatusHeadline* headline() const { return find<StatusHeadline>(QStringLiteral("statusHeadline")); }
    std::string headlineText() const { return headline() ? headline()->content().first : std::string(); }

    // The sheet or alert of that name stands centred over the main window, where the screen has
    // room for the window (the off-screen platform's screen is smaller than it).
    void expectCentred(const QString& name) {
        EVENTUALLY(findWidget(name) != nullptr);
        if (!rig->window().screen()->availableGeometry().contains(rig->window().frameGeometry())) return;
        const auto offCentre = [&] {
            const QWidget* shown = findWidget(name);
            return shown ? (shown->frameGeometry().center() - rig->window().geometry().center()).manhattanLength() : -1;
        };
        EVENTUALLY(offCentre() >= 0 && offCentre() <= 2) << name.toStdString() << " is " << offCentre() << " px off centre";
    }

    // First launch: the project sheet asks for a project; the crew picks its language and names one.
    void firstLaunch(const QString& project) {
        rig->launch();
        ASSERT_NO_FATAL_FAILURE(expectCentred(QStringLiteral("projectSheet")));
        auto* name = find<QLineEdit>(QStringLiteral("projectNameField"));
        ASSERT_NE(name, nullptr);
        QTest::keyClicks(name, project);
        ASSERT_TRUE(click(QStringLiteral("projectStart")));
        EVENTUALLY(findWidget(QStringLiteral("projectSheet")) == nullptr);
        const QString language = QStringLiteral("language-") + QString::fromStdString(AppLanguages::id(GetParam()));
        ASSERT_TRUE(click(language));
        EVENTUALLY_EQ(rig->model().settings().language, GetParam());
    }

    // Two SSDs and a card arrive while the application runs; the card is scanned and ready.
    void cartReady(const std::string& card) {
        rig->plugSSD("SSD_1");
        rig->plugSSD("SSD_2");
        rig->insertCard(card, "1234ABCD", 3);
        EVENTUALLY_EQ(rig->window().findChildren<QWidget*>(QStringLiteral("destinationCard")).size(), 2);
        EVENTUALLY(findWidget(QStringLiteral("transferButton")) &&
                   findWidget(QStringLiteral("transferButton"))->isEnabled());
    }

    fs::path roll(const std::string& ssd, const std::string& name) const {
        return rig->mountPoint(ssd) / "Alpha/FOOTAGE" / name;
    }

    // The roll the transfer column offers, as written on its tape.
    QString rollShown() const { return textOf(findWidget(QStringLiteral("rollTape"))); }

    // Clicks a button once it is shown and enabled (a scan or a plan may still be under way).
    void clickWhenEnabled(const QString& name) {
        EVENTUALLY(findWidget(name) && findWidget(name)->isEnabled());
        ASSERT_TRUE(click(name));
    }

    // The alert on screen: its title, or empty when none is up.
    QString alertTitle() const { return textOf(findWidget(QStringLiteral("alertTitle"))); }
    // Answers the alert with the given title by its action button ("alertAction") or its other one.
    void answerAlert(const QString& title, const QString& button) {
        EVENTUALLY(findWidget(QStringLiteral("mainAlert")) != nullptr)
            << "headline: " << headlineText() << ", sheet: " << (findWidget(QStringLiteral("folderSheet")) != nullptr);
        EXPECT_TRUE(alertTitle().contains(title)) << alertTitle().toStdString();
        ASSERT_TRUE(click(button));
        EVENTUALLY(findWidget(QStringLiteral("mainAlert")) == nullptr);
    }

    // Holds the next copy on its first write of C0002 (C0001 and its XML are in place by then)
    // until the test opens the gate.
    CopyGate& holdCopyAtC0002() {
        CopyGate& gate = gates.emplace_back();
        if (!io) io.emplace();
        io->fail({.call = FaultyFileIO::Call::write, .pathContains = "CLIP/.C0002.MP4", .error = 0, .once = true,
                  .before = [&gate] { gate.reach(); }});
        return gate;
    }

    // TRANSFER, through the folder sheet when folders are missing, until the copy holds at the gate.
    void transferUntil(CopyGate& gate) {
        ASSERT_NO_FATAL_FAILURE(clickWhenEnabled(QStringLiteral("transferButton")));
        EVENTUALLY(gate.reached() || findWidget(QStringLiteral("folderSheet")) != nullptr)
            << "headline: " << headlineText() << ", alert: " << alertTitle().toStdString();
        if (findWidget(QStringLiteral("folderSheet"))) {
            ASSERT_TRUE(click(QStringLiteral("folderConfirm")));
        }
        EVENTUALLY(gate.reached());
    }

    // TRANSFER through the folder sheet, until the copy is safely transferred.
    void transferToTheEnd() {
        ASSERT_NO_FATAL_FAILURE(clickWhenEnabled(QStringLiteral("transferButton")));
        EVENTUALLY(findWidget(QStringLiteral("folderSheet")) != nullptr);
        ASSERT_TRUE(click(QStringLiteral("folderConfirm")));
        EVENTUALLY_EQ(headlineText(), T("Veilig overgezet", "Safely transferred"));
    }

    // The card pulled and put in again.
    void reinsert(const std::string& card) {
        rig->volume(card).unmount();
        EVENTUALLY(findWidget(QStringLiteral("sourceCard")) == nullptr);
        rig->volume(card).mount();
    }

    // The roll folders on an SSD.
    std::set<std::string> rollsOn(const std::string& ssd) const {
        std::set<std::string> rolls;
        for (const auto& entry : fs::directory_iterator(roll(ssd, "").parent_path()))
            rolls.insert(entry.path().filename().string());
        return rolls;
    }

    // The card's files on both SSDs in this roll, and no other roll folder next to it.
    void expectOnlyRoll(const std::string& card, const std::string& name) {
        for (const std::string ssd : {"SSD_1", "SSD_2"}) {
            rig->expectCopied(card, roll(ssd, name));
            EXPECT_EQ(rollsOn(ssd), std::set<std::string>{name}) << ssd;
        }
    }

    // Presses a key as the keyboard does: on the open menu, else where the focus is, else on the
    // window that has the keyboard.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::activePopupWidget();
        if (target == nullptr) target = QApplication::focusWidget();
        if (target == nullptr) target = QApplication::activeWindow();
        ASSERT_NE(target, nullptr) << "no window has the keyboard";
        QTest::keyClick(target, Qt::Key(key), modifiers);
    }

    // Tab until the control of that name (and, among several, the one `which` picks) has the focus;
    // every stop on the way is a control in sight that shows the focus ring.
    void tabTo(const QString& name, const std::function<bool(QWidget*)>& which = {}) {
        for (int stop = 0; stop < 120; ++stop) {
            ASSERT_NO_FATAL_FAILURE(press(Qt::Key_Tab));
            QWidget* now = QApplication::focusWidget();
            ASSERT_NE(now, nullptr) << "Tab lost the keyboard on the way to " << name.toStdString();
            const std::string what = now->objectName().toStdString() + " (" + now->metaObject()->className() + ")";
            EXPECT_FALSE(now->visibleRegion().isEmpty()) << what << " is out of sight";
            const FocusRing* ring = FocusRing::of(*now);
            EXPECT_TRUE(ring != nullptr ? ring->isShown() : qobject_cast<QLineEdit*>(now) != nullptr)
                << what << " shows no focus ring";
            if (now->objectName() == name && (!which || which(now))) return;
        }
        FAIL() << "Tab never reached " << name.toStdString();
    }

    // Opens a menu of the menu bar with Alt and its letter; with an item, chooses it with the arrow
    // keys and Return, else closes the menu with Escape.
    void menuBar(int letter, const QString& item = {}) {
        ASSERT_NO_FATAL_FAILURE(press(letter, Qt::AltModifier));
        EVENTUALLY(qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (item.isEmpty()) {
            ASSERT_NO_FATAL_FAILURE(press(Qt::Key_Escape));
        } else {
            QAction* wanted = rig->window().action(item);
            for (int step = 0; step < 12 && menu->activeAction() != wanted; ++step) ASSERT_NO_FATAL_FAILURE(press(Qt::Key_Down));
            ASSERT_EQ(menu->activeAction(), wanted) << item.toStdString();
            ASSERT_NO_FATAL_FAILURE(press(Qt::Key_Return));
        }
        EVENTUALLY(QApplication::activePopupWidget() == nullptr);
    }

    // The file I/O layer that holds or fails the copy, and the holds: both outlive the application.
    std::optional<FaultyFileIO> io;
    std::list<CopyGate> gates;
    std::optional<CrewRig> rig;
};

TEST_P(CrewWalk, FirstDayFromProjectToReportHistoryOverviewSettingsAndLanguage) {
    ASSERT_NO_FATAL_FAILURE(firstLaunch(QStringLiteral("Alpha")));
    ASSERT_NO_FATAL_FAILURE(cartReady("FX6_CARD"));

    // TRANSFER asks before it makes the roll folders; "Allow and start" makes them and starts.
    CopyGate& gate = holdCopyAtC0002();
    ASSERT_NO_FATAL_FAILURE(clickWhenEnabled(QStringLiteral("transferButton")));
    EVENTUALLY(findWidget(QStringLiteral("folderSheet")) != nullptr);
    EXPECT_EQ(textOf(findWidget(QStringLiteral("folderConfirm"))), Q("Toestaan en starten", "Allow and start"));
    ASSERT_TRUE(click(QStringLiteral("folderConfirm")));
    EVENTUALLY(gate.reached());

    // Mid-copy: the sheet is gone, the headline counts, Pause and Stop are offered.
    EXPECT_EQ(findWidget(QStringLiteral("folderSheet")), nullptr);
    EVENTUALLY_EQ(headline()->content().style, HeadlineStyle::number);
    EXPECT_TRUE(findWidget(QStringLiteral("pauseButton")) != nullptr);
    EXPECT_TRUE(findWidget(QStringLiteral("stopButton")) != nullptr);
    gate.open();
    EVENTUALLY_EQ(headlineText(), T("Veilig overgezet", "Safely transferred"));

    // On disk: every file of the card on both SSDs, byte for byte, with its date, and the manifests.
    for (const std::string ssd : {"SSD_1", "SSD_2"}) {
        rig->expectCopied("FX6_CARD", roll(ssd, "A001"));
        EXPECT_TRUE(fs::exists(roll(ssd, "A001") / "ascmhl/ascmhl_chain.xml")) << ssd;
    }

    // Report: the local report goes to the desktop's opener for HTML files.
    ASSERT_TRUE(click(QStringLiteral("reportButton")));
    EVENTUALLY_EQ(rig->opener.opened.size(), 1);
    const QUrl report = rig->opener.opened.front();
    ASSERT_TRUE(report.isLocalFile()) << report.toString().toStdString();
    const fs::path reportFile = report.toLocalFile().toStdString();
    EXPECT_EQ(reportFile.extension(), ".html");
    EXPECT_TRUE(fs::exists(reportFile)) << reportFile;
    EXPECT_EQ(reportFile.parent_path(), roll("SSD_1", "A001")) << reportFile;
    // With no program for it on the desktop, the crew is told where the report is.
    rig->opener.refuseFiles();
    ASSERT_TRUE(click(QStringLiteral("reportButton")));
    EVENTUALLY(findWidget(QStringLiteral("mainAlert")) != nullptr);
    EXPECT_EQ(alertTitle(), Q("Rapport niet geopend", "Report not opened"));
    const QString where = textOf(findWidget(QStringLiteral("alertMessage")));
    EXPECT_TRUE(where.endsWith(QString::fromStdString(reportFile.string())))
        << where.toStdString();
    ASSERT_TRUE(click(QStringLiteral("alertClose")));
    EVENTUALLY(findWidget(QStringLiteral("mainAlert")) == nullptr);
    // Nor is a folder no program can show.
    {
        FakeProgram noFileManager("xdg-open", 3);
        ASSERT_TRUE(click(QStringLiteral("showFolder")));
        EVENTUALLY(findWidget(QStringLiteral("mainAlert")) != nullptr);
        EXPECT_EQ(alertTitle(), Q("Map niet geopend", "Folder not opened"));
        const QString folder = textOf(findWidget(QStringLiteral("alertMessage")));
        EXPECT_TRUE(folder.endsWith(QString::fromStdString(roll("SSD_1", "A001").string()))) << folder.toStdString();
        ASSERT_TRUE(click(QStringLiteral("alertClose")));
        EVENTUALLY(findWidget(QStringLiteral("mainAlert")) == nullptr);
    }

    // History: a clip is found by its name, on both SSDs.
    ASSERT_TRUE(click(QStringLiteral("clipSearchButton")));
    EVENTUALLY(findWidget(QStringLiteral("searchField")) != nullptr);
    QTest::keyClicks(find<QLineEdit>(QStringLiteral("searchField")), QStringLiteral("C0002"));
    EVENTUALLY(find<ClipResults>(QStringLiteral("clipResults")) &&
               !find<ClipResults>(QStringLiteral("clipResults"))->cards().empty());
    const auto& hit = find<ClipResults>(QStringLiteral("clipResults"))->cards().front();
    EXPECT_EQ(hit.hit.fileName, "C0002.MP4");
    EXPECT_EQ(hit.locations.size(), 2u);
    ASSERT_TRUE(click(QStringLiteral("closeHistory")));
    EVENTUALLY(findWidget(QStringLiteral("historySheet")) == nullptr);

    // Overview: the roll is on two drives.
    ASSERT_TRUE(click(QStringLiteral("projectOverviewButton")));
    EVENTUALLY(find<RollList>(QStringLiteral("rollList")) != nullptr);
    const auto& rows = find<RollList>(QStringLiteral("rollList"))->rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].roll, "A001");
    EXPECT_EQ(rows[0].sourceName, "FX6_CARD");
    EXPECT_EQ(rows[0].copies, 2);
    ASSERT_TRUE(click(QStringLiteral("closeHistory")));
    EVENTUALLY(findWidget(QStringLiteral("historySheet")) == nullptr);

    // Settings: each tab of the sidebar shows its page.
    ASSERT_TRUE(click(QStringLiteral("settingsButton")));
    EVENTUALLY(findWidget(QStringLiteral("settingsWindow")) != nullptr);
    for (const auto& tabAndPage : {std::pair{"tab-transfer", "transferSettings"},
                                   std::pair{"tab-recognition", "recognitionSettings"},
                                   std::pair{"tab-structure", "structureSettings"}}) {
        // A plain variable, not a structured binding: clang before 16 can't capture those.
        const char* page = tabAndPage.second;
        ASSERT_TRUE(click(QString::fromLatin1(tabAndPage.first))) << tabAndPage.first;
        EVENTUALLY(findWidget(QString::fromLatin1(page)) != nullptr);
    }
    findWidget(QStringLiteral("settingsWindow"))->close();
    EVENTUALLY(findWidget(QStringLiteral("settingsWindow")) == nullptr);

    // The other language and back: the window speaks it at once.
    const AppLanguage other = GetParam() == AppLanguage::en ? AppLanguage::nl : AppLanguage::en;
    ASSERT_TRUE(click(QStringLiteral("language-") + QString::fromStdString(AppLanguages::id(other))));
    EVENTUALLY_EQ(headlineText(), other == AppLanguage::en ? "Safely transferred" : "Veilig overgezet");
    ASSERT_TRUE(click(QStringLiteral("language-") + QString::fromStdString(AppLanguages::id(GetParam()))));
    EVENTUALLY_EQ(headlineText(), T("Veilig overgezet", "Safely transferred"));

    // The card again: it was transferred, and TRANSFER says so before it makes anything.
    ASSERT_NO_FATAL_FAILURE(reinsert("FX6_CARD"));
    EVENTUALLY_EQ(rollShown(), QStringLiteral("A002"));
    EVENTUALLY(findWidget(QStringLiteral("transferButton")) && findWidget(QStringLiteral("transferButton"))->isEnabled());
    ASSERT_NO_FATAL_FAILURE(clickWhenEnabled(QStringLiteral("transferButton")));
    EVENTUALLY(findWidget(QStringLiteral("mainAlert")) != nullptr);
    EXPECT_EQ(alertTitle(), Q("Deze kaart is al overgezet", "This card was already transferred"));
    const QString message = textOf(findWidget(QStringLiteral("alertMessage")));
    EXPECT_TRUE(message.contains(Q(" als A001 (Alpha), geverifieerd. Toch nog een keer overzetten als A002?",
                                   " as A001 (Alpha), verified. Transfer again anyway as A002?")))
        << message.toStdString();
    ASSERT_TRUE(click(QStringLiteral("alertClose")));
    EVENTUALLY(findWidget(QStringLiteral("mainAlert")) == nullptr);
    for (const std::string ssd : {"SSD_1", "SSD_2"}) EXPECT_FALSE(fs::exists(roll(ssd, "A002"))) << ssd;
}

// Pause mid-copy and resume; later Stop mid-copy: TRANSFER again continues the same roll, and
// what was done is checked rather than copied again.
TEST_P(CrewWalk, PauseAndResumeThenStopAndTransferAgainIntoTheSameRoll) {
    ASSERT_NO_FATAL_FAILURE(firstLaunch(QStringLiteral("Alpha")));
    ASSERT_NO_FATAL_FAILURE(cartReady("FX6_CARD"));
    {
        CopyGate& gate = holdCopyAtC0002();
        ASSERT_NO_FATAL_FAILURE(transferUntil(gate));
        ASSERT_TRUE(click(QStringLiteral("pauseButton")));
        gate.open();
        EVENTUALLY_EQ(headlineText(), T("Gepauzeerd", "Paused"));
        ASSERT_TRUE(click(QStringLiteral("resumeButton")));
        EVENTUALLY_EQ(headlineText(), T("Veilig overgezet", "Safely transferred"));
        expectOnlyRoll("FX6_CARD", "A001");
    }

    // The next card: stopped mid-copy, then transferred again into its own roll.
    // The first card must be gone from the window before the next one comes, or TRANSFER may
    // still reach the first card while the volume monitor has not yet seen it leave.
    rig->volume("FX6_CARD").unmount();
    EVENTUALLY(findWidget(QStringLiteral("sourceCard")) == nullptr);
    rig->insertCard("FX6_SECOND", "2345BCDE", 3);
    EVENTUALLY(findWidget(QStringLiteral("sourceCard")) != nullptr);
    EVENTUALLY_EQ(rollShown(), QStringLiteral("A002"));
    EVENTUALLY(findWidget(QStringLiteral("transferButton")) && findWidget(QStringLiteral("transferButton"))->isEnabled());
    {
        CopyGate& gate = holdCopyAtC0002();
        ASSERT_NO_FATAL_FAILURE(transferUntil(gate));
        ASSERT_TRUE(click(QStringLiteral("stopButton")));
        EVENTUALLY(findWidget(QStringLiteral("mainAlert")) != nullptr);
        EXPECT_EQ(alertTitle(), Q("Transfer stoppen?", "Stop transfer?"));
        ASSERT_TRUE(click(QStringLiteral("alertAction")));
        gate.open();
        EVENTUALLY_EQ(headlineText(), T("Gestopt", "Stopped"));
    }
    ASSERT_TRUE(click(QStringLiteral("closeButton")));
    EVENTUALLY_EQ(rollShown(), QStringLiteral("A002"));
    ASSERT_NO_FATAL_FAILURE(clickWhenEnabled(QStringLiteral("transferButton")));
    ASSERT_NO_FATAL_FAILURE(answerAlert(Q("Transfer hervatten?", "Resume transfer?"), QStringLiteral("alertAction")));
    EVENTUALLY_EQ(headlineText(), T("Veilig overgezet", "Safely transferred"));
    for (const std::string ssd : {"SSD_1", "SSD_2"}) rig->expectCopied("FX6_SECOND", roll(ssd, "A002"));
    EXPECT_FALSE(fs::exists(roll("SSD_1", "A003")));
}

// "Quit anyway" mid-copy promises that what is done can be resumed: after a restart the same card
// is offered its interrupted roll again, as after Stop, and finishes there.
TEST_P(CrewWalk, QuitAnywayThenRestartOffersTheInterruptedRollAgain) {
    ASSERT_NO_FATAL_FAILURE(firstLaunch(QStringLiteral("Alpha")));
    ASSERT_NO_FATAL_FAILURE(cartReady("FX6_CARD"));
    {
        CopyGate& gate = holdCopyAtC0002();
        ASSERT_NO_FATAL_FAILURE(transferUntil(gate));
        rig->window().close();
        ASSERT_NO_FATAL_FAILURE(expectCentred(QStringLiteral("quitQuestion")));
        EXPECT_TRUE(rig->window().isVisible());
        ASSERT_TRUE(click(QStringLiteral("quitAnyway")));
        EVENTUALLY(!rig->window().isVisible());
        gate.open();
        rig->quit();
    }

    // The next start: the project sheet offers the project the crew was in.
    rig->launch();
    EVENTUALLY(findWidget(QStringLiteral("projectSheet")) != nullptr);
    EXPECT_EQ(textOf(findWidget(QStringLiteral("projectNameField"))), QStringLiteral("Alpha"));
    ASSERT_TRUE(click(QStringLiteral("projectStart")));
    EVENTUALLY(findWidget(QStringLiteral("projectSheet")) == nullptr);
    EVENTUALLY(findWidget(QStringLiteral("transferButton")) && findWidget(QStringLiteral("transferButton"))->isEnabled());
    EVENTUALLY_EQ(rollShown(), QStringLiteral("A001"));
    ASSERT_NO_FATAL_FAILURE(clickWhenEnabled(QStringLiteral("transferButton")));
    ASSERT_NO_FATAL_FAILURE(answerAlert(Q("Transfer hervatten?", "Resume transfer?"), QStringLiteral("alertAction")));
    EVENTUALLY_EQ(headlineText(), T("Veilig overgezet", "Safely transferred"));
    expectOnlyRoll("FX6_CARD", "A001");
}

// A full SSD: the crew makes room from a shell, on the SSD's own mount, and the card shows the room
// and TRANSFER goes ahead without the SSD being mounted again.
TEST_P(CrewWalk, RoomMadeOnAFullSSDFromAShellIsSeenWithoutARemount) {
    rig->freeSpaceRefresh = std::chrono::milliseconds(200);
    ASSERT_NO_FATAL_FAILURE(firstLaunch(QStringLiteral("Alpha")));
    ASSERT_NO_FATAL_FAILURE(cartReady("FX6_CARD"));
    const fs::path filler = rig->mountPoint("SSD_1") / "filler.bin";
    {
        const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        const auto room = static_cast<off_t>(fs::space(rig->mountPoint("SSD_1")).available);
        EXPECT_EQ(::posix_fallocate(fd, 0, room - (256 << 10)), 0);
        ::close(fd);
    }
    const auto spaceLines = [&] {
        QStringList lines;
        for (QWidget* line : findWidgets(QStringLiteral("destinationSpaceText"))) lines << textOf(line);
        return lines.join(QStringLiteral(" | "));
    };
    const QString tooLittle = Q("Te weinig ruimte", "Not enough space");
    EVENTUALLY(spaceLines().contains(tooLittle)) << spaceLines().toStdString();
    EXPECT_FALSE(findWidget(QStringLiteral("transferButton"))->isEnabled());
    fs::remove(filler);
    EVENTUALLY(!spaceLines().contains(tooLittle)) << spaceLines().toStdString();
    ASSERT_NO_FATAL_FAILURE(transferToTheEnd());
    expectOnlyRoll("FX6_CARD", "A001");
}

// The folder chooser: a folder of the card as the source, and a base folder on an SSD; a folder
// off the SSD is refused with a word. The copy lands where the crew chose.
TEST_P(CrewWalk, ChooseFolderAndBaseFolderThroughThePicker) {
    ASSERT_NO_FATAL_FAILURE(firstLaunch(QStringLiteral("Alpha")));
    ASSERT_NO_FATAL_FAILURE(cartReady("FX6_CARD"));
    // Answers the chooser, which must open in `start`, with `folder`.
    const auto choose = [&](const fs::path& start, const fs::path& folder) {
        EVENTUALLY(find<QFileDialog>(QStringLiteral("folderPicker")) != nullptr);
        auto* picker = find<QFileDialog>(QStringLiteral("folderPicker"));
        EXPECT_EQ(picker->directory().absolutePath().toStdString(), start.string());
        // Qt's own texts speak the crew's language; the folders' dates are whole.
        EXPECT_EQ(textOf(picker->findChild<QLabel*>(QStringLiteral("lookInLabel"))), Q("Zoeken in:", "Look in:"));
        auto* folders = picker->findChild<QTreeView*>(QStringLiteral("treeView"));
        ASSERT_NE(folders, nullptr);
        const auto widestDate = [folders] {
            int widest = 0;
            const QModelIndex shown = folders->rootIndex();
            for (int row = 0; row < folders->model()->rowCount(shown); ++row)
                widest = std::max(widest, folders->sizeHintForIndex(folders->model()->index(row, 3, shown)).width());
            return widest;
        };
        EVENTUALLY(widestDate() > 0 && folders->columnWidth(3) >= widestDate())
            << folders->columnWidth(3) << " < " << widestDate();
        auto* name = picker->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(QString::fromStdString(folder.string()));
        ASSERT_TRUE(click(picker->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open)));
        EVENTUALLY(find<QFileDialog>(QStringLiteral("folderPicker")) == nullptr);
    };

    ASSERT_TRUE(click(QStringLiteral("sourceFolderChoice")));
    ASSERT_NO_FATAL_FAILURE(choose(rig->mountPoint("FX6_CARD"), rig->mountPoint("FX6_CARD") / "PRIVATE/M4ROOT/CLIP"));
    EVENTUALLY_EQ(textOf(findWidget(QStringLiteral("sourceFolderChoice"))), QStringLiteral("CLIP"));

    // The base folder of SSD_1, chosen from its card's menu.
    const auto baseFolderItem = [&] {
        QWidget* menuButton = nullptr;
        for (QWidget* card : rig->window().findChildren<QWidget*>(QStringLiteral("destinationCard")))
            if (textOf(card->findChild<QWidget*>(QStringLiteral("driveName"))) == QStringLiteral("SSD_1"))
                menuButton = card->findChild<QWidget*>(QStringLiteral("driveMenuButton"));
        ASSERT_TRUE(click(menuButton));
        EVENTUALLY(find<QMenu>(QStringLiteral("driveMenu")) != nullptr);
        auto* menu = find<QMenu>(QStringLiteral("driveMenu"));
        QAction* item = menu->findChild<QAction*>(QStringLiteral("baseFolder"));
        ASSERT_NE(item, nullptr);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    };
    ASSERT_NO_FATAL_FAILURE(baseFolderItem());
    ASSERT_NO_FATAL_FAILURE(choose(rig->mountPoint("SSD_1"), fs::temp_directory_path()));
    ASSERT_NO_FATAL_FAILURE(answerAlert(Q("Andere schijf", "Different drive"), QStringLiteral("alertClose")));
    fs::create_directories(rig->mountPoint("SSD_1") / "Jobs");
    ASSERT_NO_FATAL_FAILURE(baseFolderItem());
    ASSERT_NO_FATAL_FAILURE(choose(rig->mountPoint("SSD_1"), rig->mountPoint("SSD_1") / "Jobs"));
    EXPECT_EQ(findWidget(QStringLiteral("mainAlert")), nullptr);

    ASSERT_NO_FATAL_FAILURE(transferToTheEnd());
    const fs::path clips = rig->mountPoint("FX6_CARD") / "PRIVATE/M4ROOT/CLIP";
    for (const fs::path& copy : {rig->mountPoint("SSD_1") / "Jobs/Alpha/FOOTAGE/A001", roll("SSD_2", "A001")}) {
        EXPECT_EQ(readFile(copy / "C0003.MP4"), readFile(clips / "C0003.MP4")) << copy;
        EXPECT_FALSE(fs::exists(copy / "PRIVATE")) << copy;
    }
    EXPECT_FALSE(fs::exists(roll("SSD_1", "A001")));
}

// An SSD pulled mid-copy: the other SSD still gets a whole, checked copy; the pulled one comes
// back without a half-written file under a card file's name.
TEST_P(CrewWalk, AnSSDPulledMidCopyAndPluggedBack) {
    ASSERT_NO_FATAL_FAILURE(firstLaunch(QStringLiteral("Alpha")));
    ASSERT_NO_FATAL_FAILURE(cartReady("FX6_CARD"));
    {
        CopyGate& gate = holdCopyAtC0002();
        ASSERT_NO_FATAL_FAILURE(transferUntil(gate));
        // Pulled: every call on it fails as on a device that is gone, and it leaves the mount table.
        using Call = FaultyFileIO::Call;
        const std::string pulled = rig->mountPoint("SSD_2").string() + "/";
        for (const Call call : {Call::open, Call::read, Call::write, Call::fsync, Call::renameNoReplace, Call::rename,
                                Call::link, Call::mkdir, Call::lstat, Call::lstatx, Call::stat, Call::fstat,
                                Call::utimensat, Call::futimens, Call::syncFileRange, Call::syncfs})
            io->fail({.call = call, .pathContains = pulled, .error = EIO});
        rig->volume("SSD_2").unmount();
        gate.open();
        EVENTUALLY_EQ(headline()->content().style, HeadlineStyle::failure);
        EVENTUALLY_EQ(rig->window().findChildren<QWidget*>(QStringLiteral("destinationCard")).size(), 1);
    }
    rig->expectCopied("FX6_CARD", roll("SSD_1", "A001"));
    EXPECT_TRUE(fs::exists(roll("SSD_1", "A001") / "ascmhl/ascmhl_chain.xml"));

    // Plugged back, it gets a mount folder of its own, as a desktop gives one while the old is busy.
    const fs::path back = rig->mountPoint("SSD_2").string() + "_1";
    rig->volume("SSD_2").moveTo(back);
    EVENTUALLY_EQ(rig->window().findChildren<QWidget*>(QStringLiteral("destinationCard")).size(), 2);
    // What stands under a card file's own name is whole; a file cut off by the pull keeps its
    // hidden partial name.
    const fs::path card = rig->mountPoint("FX6_CARD"), copy = back / "Alpha/FOOTAGE/A001";
    ASSERT_TRUE(fs::exists(copy / "PRIVATE/M4ROOT/CLIP/C0001.MP4"));
    for (const auto& entry : fs::recursive_directory_iterator(copy)) {
        const fs::path original = card / fs::relative(entry.path(), copy);
        if (entry.is_regular_file() && fs::exists(original)) {
            EXPECT_EQ(readFile(entry.path()), readFile(original)) << entry.path();
        }
    }
}

// Verification turned off in Settings: the copy ends as copied on each SSD, and the recent list,
// the overview and the card's next TRANSFER count it as a copy that was not read back.
TEST_P(CrewWalk, ATransferWithVerificationOffIsACopyNotCalledVerified) {
    ASSERT_NO_FATAL_FAILURE(firstLaunch(QStringLiteral("Alpha")));
    ASSERT_NO_FATAL_FAILURE(cartReady("FX6_CARD"));
    ASSERT_TRUE(click(QStringLiteral("settingsButton")));
    EVENTUALLY(findWidget(QStringLiteral("settingsWindow")) != nullptr);
    ASSERT_TRUE(click(QStringLiteral("tab-transfer")));
    EVENTUALLY(find<QAbstractButton>(QStringLiteral("verifyAfterCopy")) != nullptr);
    auto* verify = find<QAbstractButton>(QStringLiteral("verifyAfterCopy"));
    ASSERT_TRUE(verify->isChecked());
    ASSERT_TRUE(click(verify));
    EVENTUALLY(!rig->model().settings().verifyAfterCopy);
    findWidget(QStringLiteral("settingsWindow"))->close();
    EVENTUALLY(findWidget(QStringLiteral("settingsWindow")) == nullptr);

    ASSERT_NO_FATAL_FAILURE(transferToTheEnd());
    QStringList statuses;
    for (QWidget* status : findWidget(QStringLiteral("destinationBars"))->findChildren<QWidget*>(QStringLiteral("destinationStatus")))
        statuses << textOf(status);
    EXPECT_EQ(statuses, QStringList({Q("✓ Gekopieerd", "✓ Copied"), Q("✓ Gekopieerd", "✓ Copied")}));
    expectOnlyRoll("FX6_CARD", "A001");

    // The recent list and the overview: two copies, marked as not read back.
    EVENTUALLY(findWidget(QStringLiteral("recentTransfers")) != nullptr);
    auto* badge = findWidget(QStringLiteral("recentTransfers"))->findChild<CopiesBadge*>();
    ASSERT_NE(badge, nullptr);
    EXPECT_EQ(badge->copies(), 2);
    EXPECT_FALSE(badge->verified());
    ASSERT_TRUE(click(QStringLiteral("projectOverviewButton")));
    EVENTUALLY(find<RollList>(QStringLiteral("rollList")) != nullptr);
    const auto& rows = find<RollList>(QStringLiteral("rollList"))->rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].copies, 2);
    EXPECT_FALSE(rows[0].verified);
    ASSERT_TRUE(click(QStringLiteral("closeHistory")));
    EVENTUALLY(findWidget(QStringLiteral("historySheet")) == nullptr);

    // The card again: copied, not verified.
    ASSERT_NO_FATAL_FAILURE(reinsert("FX6_CARD"));
    ASSERT_NO_FATAL_FAILURE(clickWhenEnabled(QStringLiteral("transferButton")));
    EVENTUALLY(findWidget(QStringLiteral("mainAlert")) != nullptr);
    const QString message = textOf(findWidget(QStringLiteral("alertMessage")));
    EXPECT_TRUE(message.contains(Q(" als A001 (Alpha), niet geverifieerd. ", " as A001 (Alpha), not verified. ")))
        << message.toStdString();
}

// The card again after an earlier run left an empty A002 on one SSD: the crew confirms A002, and
// the copy lands in A002 on both SSDs, also when that A002 gets something in it while the folder
// sheet asks; no roll is skipped and no empty roll is left behind.
TEST_P(CrewWalk, TheRollConfirmedForTheCardAgainIsTheRollItLandsIn) {
    ASSERT_NO_FATAL_FAILURE(firstLaunch(QStringLiteral("Alpha")));
    ASSERT_NO_FATAL_FAILURE(cartReady("FX6_CARD"));
    ASSERT_NO_FATAL_FAILURE(transferToTheEnd());
    fs::create_directories(roll("SSD_1", "A002"));
    ASSERT_NO_FATAL_FAILURE(reinsert("FX6_CARD"));
    EVENTUALLY_EQ(rollShown(), QStringLiteral("A002"));

    ASSERT_NO_FATAL_FAILURE(clickWhenEnabled(QStringLiteral("transferButton")));
    EVENTUALLY(findWidget(QStringLiteral("mainAlert")) != nullptr);
    const QString message = textOf(findWidget(QStringLiteral("alertMessage")));
    EXPECT_TRUE(message.endsWith(Q(" als A002?", " as A002?"))) << message.toStdString();
    ASSERT_TRUE(click(QStringLiteral("alertAction")));
    EVENTUALLY(findWidget(QStringLiteral("folderSheet")) != nullptr);
    writeFile(roll("SSD_1", "A002") / "NOTES.TXT", "camera notes");
    ASSERT_TRUE(click(QStringLiteral("folderConfirm")));
    EVENTUALLY_EQ(headlineText(), T("Veilig overgezet", "Safely transferred"));
    for (const std::string ssd : {"SSD_1", "SSD_2"}) {
        rig->expectCopied("FX6_CARD", roll(ssd, "A002"));
        EXPECT_EQ(rollsOn(ssd), (std::set<std::string>{"A001", "A002"})) << ssd;
    }
}

// A second card arrives while the first copies: the crew picks it and queues it, and once the
// first is done it is transferred into the next roll without another question.
TEST_P(CrewWalk, ASecondCardQueuedWhileTheFirstCopiesIsTransferredNext) {
    ASSERT_NO_FATAL_FAILURE(firstLaunch(QStringLiteral("Alpha")));
    ASSERT_NO_FATAL_FAILURE(cartReady("FX6_CARD"));
    CopyGate& gate = holdCopyAtC0002();
    ASSERT_NO_FATAL_FAILURE(transferUntil(gate));

    rig->insertCard("FX6_SECOND", "2345BCDE", 3);
    const auto cardNamed = [&](const QString& name) -> QWidget* {
        for (QWidget* card : rig->window().findChildren<QWidget*>(QStringLiteral("sourceCard")))
            if (card->isVisible() && textOf(card->findChild<QWidget*>(QStringLiteral("driveName"))) == name)
                return card->findChild<QWidget*>(QStringLiteral("driveCard"));
        return nullptr;
    };
    EVENTUALLY(cardNamed(QStringLiteral("FX6_SECOND")) != nullptr);
    ASSERT_TRUE(click(cardNamed(QStringLiteral("FX6_SECOND"))));
    ASSERT_NO_FATAL_FAILURE(clickWhenEnabled(QStringLiteral("enqueueButton")));
    EVENTUALLY(findWidget(QStringLiteral("queueRow")) != nullptr);
    auto* queued = findWidget(QStringLiteral("queueRow"));
    EXPECT_EQ(textOf(queued->findChild<TapeLabel*>()), QStringLiteral("A002"));

    gate.open();
    EVENTUALLY_EQ(rig->model().history().size(), 2u);
    EVENTUALLY_EQ(headlineText(), T("Veilig overgezet", "Safely transferred"));
    EXPECT_EQ(findWidget(QStringLiteral("queueRow")), nullptr);
    EXPECT_EQ(findWidget(QStringLiteral("mainAlert")), nullptr);
    for (const std::string ssd : {"SSD_1", "SSD_2"}) {
        rig->expectCopied("FX6_CARD", roll(ssd, "A001"));
        rig->expectCopied("FX6_SECOND", roll(ssd, "A002"));
    }
}

// No mouse: the project sheet, the language, a second card and its menu, TRANSFER through the
// folder sheet, Report, the menu bar, history and settings, with Tab, Shift+Tab, Space, Return,
// Escape and Alt with a menu's letter. Each sheet opens with the keyboard on it and gives it back.
TEST_P(CrewWalk, TheWholeJobWithTheKeyboardAlone) {
    const auto onWindow = [&] { return QApplication::activeWindow() == &rig->window(); };
    rig->launch();
    EVENTUALLY(find<QLineEdit>(QStringLiteral("projectNameField")) &&
               QApplication::focusWidget() == findWidget(QStringLiteral("projectNameField")));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Alpha"));
    ASSERT_NO_FATAL_FAILURE(press(Qt::Key_Return));
    EVENTUALLY(findWidget(QStringLiteral("projectSheet")) == nullptr && onWindow());
    EXPECT_EQ(rig->model().projectName(), "Alpha");
    ASSERT_NO_FATAL_FAILURE(
        tabTo(QStringLiteral("language-") + QString::fromStdString(AppLanguages::id(GetParam()))));
    ASSERT_NO_FATAL_FAILURE(press(Qt::Key_Space));
    EVENTUALLY_EQ(rig->model().settings().language, GetParam());

    ASSERT_NO_FATAL_FAILURE(cartReady("FX6_CARD"));
    rig->insertCard("FX6_SECOND", "2345BCDE", 3);
    const auto second = [](QWidget* widget) {
        QWidget* card = widget->objectName() == QStringLiteral("driveCard") ? widget : widget->parentWidget();
        while (card != nullptr && card->objectName() != QStringLiteral("driveCard")) card = card->parentWidget();
        return card != nullptr &&
               textOf(card->findChild<QWidget*>(QStringLiteral("driveName"))) == QStringLiteral("FX6_SECOND");
    };
    EVENTUALLY_EQ(findWidgets(QStringLiteral("sourceCard")).size(), 2);
    ASSERT_NO_FATAL_FAILURE(tabTo(QStringLiteral("driveCard"), second));
    ASSERT_NO_FATAL_FAILURE(press(Qt::Key_Space));
    EVENTUALLY(rig->model().selectedSource() && rig->model().selectedSource()->info.name == "FX6_SECOND" &&
               rig->model().scanState().kind == ScanState::Kind::ready);
    // Its "…" menu opens from the keyboard and gives the focus back to its button.
    ASSERT_NO_FATAL_FAILURE(tabTo(QStringLiteral("driveMenuButton"), second));
    QWidget* menuButton = QApplication::focusWidget();
    ASSERT_NO_FATAL_FAILURE(press(Qt::Key_Return));
    EVENTUALLY(find<QMenu>(QStringLiteral("driveMenu")) != nullptr);
    ASSERT_NO_FATAL_FAILURE(press(Qt::Key_Escape));
    EVENTUALLY(find<QMenu>(QStringLiteral("driveMenu")) == nullptr);
    // The closed menu goes; the off-screen platform then leaves no window active (an X server does).
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTest::qWait(50);
    if (QGuiApplication::platformName() == QStringLiteral("offscreen")) rig->window().activateWindow();
    EVENTUALLY(QApplication::focusWidget() == menuButton);

    // TRANSFER, and the folder sheet opens on "Allow and start": Return confirms.
    EVENTUALLY(findWidget(QStringLiteral("transferButton")) && findWidget(QStringLiteral("transferButton"))->isEnabled());
    ASSERT_NO_FATAL_FAILURE(tabTo(QStringLiteral("transferButton")));
    ASSERT_NO_FATAL_FAILURE(press(Qt::Key_Return));
    EVENTUALLY(findWidget(QStringLiteral("folderSheet")) != nullptr &&
               QApplication::focusWidget() == findWidget(QStringLiteral("folderConfirm")));
    ASSERT_NO_FATAL_FAILURE(press(Qt::Key_Return));
    EVENTUALLY_EQ(headlineText(), T("Veilig overgezet", "Safely transferred"));
    rig->expectCopied("FX6_SECOND", roll("SSD_1", "A001"));
    EVENTUALLY(onWindow());

    ASSERT_NO_FATAL_FAILURE(tabTo(QStringLiteral("reportButton")));
    ASSERT_NO_FATAL_FAILURE(press(Qt::Key_Space));
    EVENTUALLY_EQ(rig->opener.opened.size(), 1);

    // The menu bar: each menu opens with Alt and its letter; History from the Transfer menu.
    ASSERT_NO_FATAL_FAILURE(menuBar(GetParam() == AppLanguage::en ? Qt::Key_F : Qt::Key_B));
    ASSERT_NO_FATAL_FAILURE(menuBar(Qt::Key_H));
    ASSERT_NO_FATAL_FAILURE(menuBar(Qt::Key_T, QStringLiteral("history")));
    EVENTUALLY(findWidget(QStringLiteral("historySheet")) != nullptr &&
               QApplication::activeWindow() == findWidget(QStringLiteral("historySheet")));
    ASSERT_NO_FATAL_FAILURE(tabTo(QStringLiteral("closeHistory")));
    ASSERT_NO_FATAL_FAILURE(press(Qt::Key_Return));
    EVENTUALLY(findWidget(QStringLiteral("historySheet")) == nullptr && onWindow());

    // Settings from the File menu: Tab and Space reach its other tab.
    ASSERT_NO_FATAL_FAILURE(menuBar(GetParam() == AppLanguage::en ? Qt::Key_F : Qt::Key_B, QStringLiteral("settings")));
    EVENTUALLY(findWidget(QStringLiteral("settingsWindow")) != nullptr &&
               QApplication::activeWindow() == findWidget(QStringLiteral("settingsWindow")));
    for (const auto& tabAndPage : {std::pair{"tab-transfer", "transferSettings"},
                                   std::pair{"tab-recognition", "recognitionSettings"},
                                   std::pair{"tab-structure", "structureSettings"}}) {
        const QString page = QString::fromLatin1(tabAndPage.second);
        ASSERT_NO_FATAL_FAILURE(tabTo(QString::fromLatin1(tabAndPage.first))) << tabAndPage.first;
        ASSERT_NO_FATAL_FAILURE(press(Qt::Key_Space));
        EVENTUALLY(findWidget(page) != nullptr);
    }
    // Shift+Tab retraces Tab.
    ASSERT_NO_FATAL_FAILURE(press(Qt::Key_Tab));
    QWidget* next = QApplication::focusWidget();
    ASSERT_NO_FATAL_FAILURE(press(Qt::Key_Backtab));
    EXPECT_EQ(QApplication::focusWidget(), findWidget(QStringLiteral("tab-structure")));
    ASSERT_NO_FATAL_FAILURE(press(Qt::Key_Tab));
    EXPECT_EQ(QApplication::focusWidget(), next);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, CrewWalk, ::testing::Values(AppLanguage::en, AppLanguage::nl),
                         [](const auto& info) { return AppLanguages::id(info.param); });

}  // namespace
}  // namespace quillane::testing
