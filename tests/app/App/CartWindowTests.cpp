#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QTest>

#include "CartWindow.h"
#include "Support/Markup.h"
#include "Transfer/SourceScanner.h"
#include "support/Scopes.h"
#include "support/OffscreenApp.h"
#include "Views/History/RollList.h"
#include "Views/Kit/CopiesBadge.h"
#include "Views/Settings/SettingsView.h"
#include "Views/TransferColumn/StatusHeadline.h"

using namespace quillane;
using namespace quillane::testing;

namespace {
// The headline's two lines as the column paints them.
QString headline() {
    auto* view = find<StatusHeadline>(QStringLiteral("statusHeadline"));
    if (!view) return {};
    const StatusHeadlineLook& content = view->content();
    return QString::fromStdString(content.first + "\n" + content.second.value_or(""));
}
}  // namespace

TEST(CartWindow, ASwitchToAnotherProjectClosesTheLastCardsResult) {
    CartWindow cart;
    cart.plug(cart.all());
    ASSERT_TRUE(cart.startTransfer(false));
    ASSERT_TRUE(cart.waitFor([&] { return headline().contains("Safely transferred"); })) << headline().toStdString();

    ASSERT_TRUE(click(QStringLiteral("projectPicker")));
    ASSERT_TRUE(cart.waitFor([&] { return findWidget(QStringLiteral("projectNameField")) != nullptr; }));
    auto* field = find<QLineEdit>(QStringLiteral("projectNameField"));
    ASSERT_NE(field, nullptr);
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("Beta"));
    ASSERT_TRUE(click(QStringLiteral("projectStart")));
    ASSERT_TRUE(cart.waitFor([&] { return findWidget(QStringLiteral("projectSheet")) == nullptr; }));
    EXPECT_TRUE(cart.waitFor([&] { return !headline().contains("Safely transferred"); })) << headline().toStdString();
    EXPECT_NE(findWidget(QStringLiteral("transferButton")), nullptr);
}

TEST(CartWindow, ANameTypedInTheProjectSheetOutlivesTheSheetBeingMinimisedAndRestored) {
    CartWindow cart;
    ASSERT_TRUE(click(QStringLiteral("projectPicker")));
    ASSERT_TRUE(cart.waitFor([&] { return findWidget(QStringLiteral("projectNameField")) != nullptr; }));
    auto* field = find<QLineEdit>(QStringLiteral("projectNameField"));
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("Beta"));

    // What a window manager does on minimise and restore; the restore shows the sheet again.
    QWidget* sheet = findWidget(QStringLiteral("projectSheet"));
    sheet->setWindowState(Qt::WindowMinimized);
    sheet->setWindowState(Qt::WindowNoState);

    EXPECT_EQ(field->text(), QStringLiteral("Beta"));
    ASSERT_TRUE(click(QStringLiteral("projectStart")));
    EXPECT_TRUE(cart.waitFor([&] { return cart.model().projectName() == "Beta"; }));
}

// A window manager may place or move the window after a sheet opened over it; the sheet goes along, and
// stays on the screen when the window leaves it.
TEST(CartWindow, ASheetStaysCentredOverItsWindowWhenTheWindowMovesOrResizes) {
    CartWindow cart;
    ASSERT_TRUE(click(QStringLiteral("projectPicker")));
    ASSERT_TRUE(cart.waitFor([&] { return findWidget(QStringLiteral("projectSheet")) != nullptr; }));
    QWidget* sheet = findWidget(QStringLiteral("projectSheet"));
    QWidget& window = cart.window();
    const QRect screen = window.screen()->availableGeometry();
    const auto centred = [&] {
        return (sheet->frameGeometry().center() - window.geometry().center()).manhattanLength() <= 2;
    };

    // Each step keeps the centred sheet inside the test screen, so only following the window centres it.
    window.move(screen.center() - QPoint(window.width() / 2, window.height() / 2) - QPoint(30, 20));
    EXPECT_TRUE(cart.waitFor(centred)) << "moved";
    window.resize(window.size() + QSize(60, 40));
    EXPECT_TRUE(cart.waitFor(centred)) << "resized";
    window.move(screen.topRight() + QPoint(-100, 0));
    EXPECT_TRUE(cart.waitFor([&] { return screen.contains(sheet->frameGeometry()); })) << "off the screen";
}

TEST(CartWindow, DemoControlsWaitForAPausedTransfer) {
    CartWindow cart;
    cart.plug(cart.all());
    ASSERT_TRUE(cart.startTransfer(true));
    ASSERT_TRUE(click(QStringLiteral("pauseButton")));
    ASSERT_TRUE(cart.waitFor([&] { return findWidget(QStringLiteral("resumeButton")) != nullptr; }));
    auto* header = findWidget(QStringLiteral("headerDemoButton"));
    ASSERT_NE(header, nullptr);
    EXPECT_FALSE(header->isEnabled());
    EXPECT_EQ(header->toolTip(), "Finish or stop the paused transfer first");
    EXPECT_FALSE(cart.window().action(QStringLiteral("demo"))->isEnabled());

    // The paused card pulled: the source column offers the demo cards, which wait too.
    cart.plug(cart.allBut("FX6_CARD"));
    ASSERT_TRUE(cart.waitFor([&] { return findWidget(QStringLiteral("demoButton")) != nullptr; }));
    QWidget* practice = findWidget(QStringLiteral("demoButton"))->findChild<QAbstractButton*>();
    ASSERT_NE(practice, nullptr);
    EXPECT_FALSE(practice->isEnabled());
    QTest::mouseClick(practice, Qt::LeftButton);
    EXPECT_EQ(cart.model().demoState(), DemoState::off);

    // Stopped for good: the demo may start again.
    ASSERT_TRUE(click(QStringLiteral("discardButton")));
    EXPECT_TRUE(cart.waitFor([&] { return practice->isEnabled() && cart.window().action(QStringLiteral("demo"))->isEnabled(); }));
}

TEST(CartWindow, TheSelectedSettingsTabStaysMarkedWhenClickedAgain) {
    CartWindow cart;
    cart.window().action(QStringLiteral("settings"))->trigger();
    ASSERT_TRUE(cart.waitFor([&] { return findWidget(QStringLiteral("tab-transfer")) != nullptr; }));
    auto* transfer = find<QAbstractButton>(QStringLiteral("tab-transfer"));
    QTest::mouseClick(transfer, Qt::LeftButton);
    ASSERT_TRUE(transfer->isChecked());
    QTest::mouseClick(transfer, Qt::LeftButton);
    EXPECT_TRUE(transfer->isChecked());
    int marked = 0;
    for (const char* tab : {"tab-structure", "tab-transfer", "tab-recognition"})
        marked += find<QAbstractButton>(QString::fromLatin1(tab))->isChecked();
    EXPECT_EQ(marked, 1);
}

TEST(CartWindow, TheStopQuestionGoesWhenTheTransferEndsUnderIt) {
    CartWindow cart;
    cart.plug(cart.all());
    ASSERT_TRUE(cart.startTransfer(true));
    ASSERT_TRUE(click(QStringLiteral("stopButton")));
    ASSERT_TRUE(cart.waitFor([&] { return textOf(findWidget(QStringLiteral("alertTitle"))) == "Stop transfer?"; }));

    cart.engines->openGates();
    ASSERT_TRUE(cart.waitFor([&] { return headline().contains("Safely transferred"); }));
    EXPECT_TRUE(cart.waitFor([&] { return findWidget(QStringLiteral("mainAlert")) == nullptr; }));
}

// A question about a start closes once its start can no longer go ahead (the card pulled), and a
// notice about missing drives once they are back: no answer reaches a card that has gone.
TEST(CartWindow, AQuestionGoesWhenWhatItAsksAboutIsGone) {
    const std::string sameBytes(300'000, 'a'), otherBytes(1'000, 'x');
    // The card's first clip as an earlier, stopped copy left it in A001 on both SSDs.
    const auto stoppedWith = [](const std::string& bytes) {
        return [bytes](CartWindow& cart) {
            ASSERT_TRUE(cart.startTransfer(true));
            ASSERT_TRUE(click(QStringLiteral("stopButton")));
            ASSERT_TRUE(cart.waitFor([&] { return findWidget(QStringLiteral("alertAction")) != nullptr; }));
            ASSERT_TRUE(click(QStringLiteral("alertAction")));
            ASSERT_TRUE(cart.waitFor([&] { return findWidget(QStringLiteral("closeButton")) != nullptr; }));
            ASSERT_TRUE(click(QStringLiteral("closeButton")));
            for (const std::filesystem::path& ssd : {cart.ssdA, cart.ssdB})
                writeFile(ssd / "Alpha/FOOTAGE/A001/PRIVATE/M4ROOT/CLIP/C0001.MP4", bytes);
            ASSERT_TRUE(cart.waitFor([&] { return textOf(findWidget(QStringLiteral("rollTape"))) == "A001"; }));
            ASSERT_TRUE(click(QStringLiteral("transferButton")));
        };
    };
    const auto pullCard = [](CartWindow& cart) { cart.plug(cart.allBut("FX6_CARD")); };
    struct Case {
        const char* title;
        std::function<void(CartWindow&)> ask, removeReason;
    } cases[] = {
        {"This card was already transferred",
         [](CartWindow& cart) {
             ASSERT_TRUE(cart.startTransfer(false));
             ASSERT_TRUE(cart.waitFor([&] { return headline().contains("Safely transferred"); }));
             ASSERT_TRUE(click(QStringLiteral("nextCardButton")));
             ASSERT_TRUE(cart.waitFor([&] { return click(QStringLiteral("transferButton")); }));
         },
         pullCard},
        {"Resume transfer?", stoppedWith(sameBytes), pullCard},
        {"A001 already exists", stoppedWith(otherBytes), pullCard},
        {"Not everything is connected yet",
         [](CartWindow& cart) {
             ASSERT_TRUE(cart.startTransfer(true));
             ASSERT_TRUE(click(QStringLiteral("pauseButton")));
             ASSERT_TRUE(cart.waitFor([&] { return findWidget(QStringLiteral("resumeButton")) != nullptr; }));
             cart.plug(cart.allBut("SSD_B"));
             ASSERT_TRUE(click(QStringLiteral("resumeButton")));
         },
         [](CartWindow& cart) { cart.plug(cart.all()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        CartWindow cart;
        cart.plug(cart.all());
        ASSERT_NO_FATAL_FAILURE(c.ask(cart));
        ASSERT_TRUE(cart.waitFor([&] { return textOf(findWidget(QStringLiteral("alertTitle"))) == c.title; }))
            << textOf(findWidget(QStringLiteral("alertTitle"))).toStdString();
        c.removeReason(cart);
        EXPECT_TRUE(cart.waitFor([&] { return findWidget(QStringLiteral("mainAlert")) == nullptr; }));
    }
}

TEST(CartWindow, ACopyWithoutReadBackCountsAsACopyThatIsNotCalledVerified) {
    CartWindow cart;
    cart.model().changeSettings([](AppSettings& settings) { settings.verifyAfterCopy = false; });
    cart.plug(cart.all());
    ASSERT_TRUE(cart.startTransfer(false));
    ASSERT_TRUE(cart.waitFor([&] { return headline().contains("Safely transferred"); }));

    // The recent list: two copies, marked as not read back.
    ASSERT_TRUE(cart.waitFor([&] { return findWidget(QStringLiteral("recentTransfers")) != nullptr; }));
    auto* badge = findWidget(QStringLiteral("recentTransfers"))->findChild<CopiesBadge*>();
    ASSERT_NE(badge, nullptr);
    EXPECT_EQ(badge->copies(), 2);
    EXPECT_FALSE(badge->verified());
    saveRender(cart.window(), QStringLiteral("cart-copied-without-read-back"), QSize(1300, 800));

    // The overview: the card is on both drives.
    ASSERT_TRUE(click(QStringLiteral("overviewButton")));
    ASSERT_TRUE(cart.waitFor([&] { return findWidget(QStringLiteral("bannerHeadline")) != nullptr; }));
    EXPECT_EQ(textOf(findWidget(QStringLiteral("bannerHeadline"))), "Every card is backed up twice");
    EXPECT_TRUE(textOf(findWidget(QStringLiteral("bannerSummary"))).endsWith("2 drives"));
    auto* rolls = find<RollList>(QStringLiteral("rollList"));
    ASSERT_NE(rolls, nullptr);
    ASSERT_EQ(rolls->rows().size(), 1u);
    EXPECT_EQ(rolls->rows()[0].copies, 2);
    EXPECT_FALSE(rolls->rows()[0].verified);
    ASSERT_TRUE(click(QStringLiteral("closeHistory")));
    ASSERT_TRUE(cart.waitFor([&] { return findWidget(QStringLiteral("historyView")) == nullptr; }));

    // The same card again: it was copied, and not read back.
    ASSERT_TRUE(click(QStringLiteral("nextCardButton")));
    ASSERT_TRUE(cart.waitFor([&] { return findWidget(QStringLiteral("transferButton")) != nullptr; }));
    ASSERT_TRUE(click(QStringLiteral("transferButton")));
    ASSERT_TRUE(cart.waitFor([&] { return textOf(findWidget(QStringLiteral("alertTitle"))) == "This card was already transferred"; }));
    const QString message = textOf(findWidget(QStringLiteral("alertMessage")));
    EXPECT_TRUE(message.contains("(Alpha), not verified.")) << message.toStdString();
}

// The roll the crew confirms is the roll it gets, whatever the drives came to hold behind the
// window's back before TRANSFER or while the folder sheet stood open; no empty roll is left.
TEST(CartWindow, TheRollTheCrewConfirmsIsTheRollOnDisk) {
    CartWindow cart;
    cart.plug(cart.all());
    ASSERT_TRUE(cart.startTransfer(false));
    ASSERT_TRUE(cart.waitFor([&] { return headline().contains("Safely transferred"); }));
    cart.model().changeSettings([](AppSettings& settings) { settings.askBeforeCreatingFolders = true; });
    ASSERT_TRUE(click(QStringLiteral("nextCardButton")));
    ASSERT_TRUE(cart.waitFor([&] { return textOf(findWidget(QStringLiteral("rollTape"))) == "A002"; }));

    // A002 is filled on SSD_A from elsewhere: TRANSFER offers the roll after it.
    const std::filesystem::path footageA = cart.ssdA / "Alpha/FOOTAGE", footageB = cart.ssdB / "Alpha/FOOTAGE";
    writeFile(footageA / "A002/NOTES.TXT", "camera notes");
    ASSERT_TRUE(click(QStringLiteral("transferButton")));
    ASSERT_TRUE(cart.waitFor([&] { return textOf(findWidget(QStringLiteral("alertTitle"))) == "This card was already transferred"; }));
    const QString message = textOf(findWidget(QStringLiteral("alertMessage")));
    EXPECT_TRUE(message.endsWith("Transfer again anyway as A003?")) << message.toStdString();
    ASSERT_TRUE(click(QStringLiteral("alertAction")));
    ASSERT_TRUE(cart.waitFor([&] { return findWidget(QStringLiteral("folderSheet")) != nullptr; }));

    // While the sheet asks, A003 is filled on SSD_B: the copy still goes where the crew agreed.
    writeFile(footageB / "A003/NOTES.TXT", "camera notes");
    ASSERT_TRUE(click(QStringLiteral("folderConfirm")));
    ASSERT_TRUE(cart.waitFor([&] { return headline().contains("Safely transferred"); })) << headline().toStdString();
    for (const std::filesystem::path& footage : {footageA, footageB}) {
        const std::filesystem::path clip = footage / "A003/PRIVATE/M4ROOT/CLIP/C0001.MP4";
        ASSERT_TRUE(std::filesystem::exists(clip)) << clip;
        EXPECT_EQ(readFile(clip), std::string(300'000, 'a')) << clip;
        for (const auto& roll : std::filesystem::directory_iterator(footage))
            EXPECT_FALSE(std::filesystem::is_empty(roll.path())) << roll.path();
    }
}

namespace {
// Each destination tree's roll folder (its target row), and whether any row reads "new".
struct Trees {
    QStringList targets;
    bool anyNew = false;
};
Trees destinationTrees() {
    Trees trees;
    for (QWidget* tree : findWidgets(QStringLiteral("folderTree"))) {
        QStringList names;
        for (QWidget* row : tree->findChildren<QWidget*>(QStringLiteral("folderRow")))
            if (row->isVisible()) {
                for (QWidget* part : row->findChildren<QWidget*>())
                    if (part->isVisible() && textOf(part).startsWith(QLatin1Char('A'))) names << textOf(part);
                for (QWidget* badge : row->findChildren<QWidget*>(QStringLiteral("folderNewBadge")))
                    trees.anyNew = trees.anyNew || badge->isVisible();
            }
        trees.targets << names.join(QLatin1Char('/'));
    }
    return trees;
}
}  // namespace

TEST(CartWindow, WhileACardCopiesOrWaitsPausedItsOwnRollAndFoldersAreShown) {
    CartWindow cart;
    cart.plug(cart.all());
    ASSERT_TRUE(cart.startTransfer(true));
    const auto showsA001 = [&] {
        const Trees trees = destinationTrees();
        return textOf(findWidget(QStringLiteral("rollTape"))) == "A001" &&
               trees.targets == QStringList({"Alpha/A001", "Alpha/A001"}) && !trees.anyNew;
    };
    EXPECT_TRUE(cart.waitFor(showsA001)) << textOf(findWidget(QStringLiteral("rollTape"))).toStdString() << " "
                                         << destinationTrees().targets.join(", ").toStdString();

    ASSERT_TRUE(click(QStringLiteral("pauseButton")));
    ASSERT_TRUE(cart.waitFor([&] { return findWidget(QStringLiteral("resumeButton")) != nullptr; }));
    EXPECT_TRUE(cart.waitFor(showsA001)) << textOf(findWidget(QStringLiteral("rollTape"))).toStdString() << " "
                                         << destinationTrees().targets.join(", ").toStdString();
    // "Create folders" counts the paused card's folders, which are there, not the next card's.
    auto* create = findWidget(QStringLiteral("createFoldersButton"));
    ASSERT_NE(create, nullptr);
    EXPECT_EQ(create->accessibleName(), "Folders ready");
    EXPECT_FALSE(create->isEnabled());
    EXPECT_FALSE(cart.window().action(QStringLiteral("createFolders"))->isEnabled());
    saveRender(cart.window(), QStringLiteral("cart-paused"), QSize(1300, 800));
}

namespace {
// The free-space line of each destination card, in column order.
QStringList destinationFreeSpace() {
    QStringList lines;
    for (QWidget* card : findWidgets(QStringLiteral("destinationCard")))
        lines << textOf(card->findChild<QWidget*>(QStringLiteral("freeSpace")));
    return lines;
}
}  // namespace

TEST(CartWindow, TheSSDsShowTheRoomATransferLeft) {
    CartWindow cart;
    cart.space->set(cart.ssdA, 1'500'000'000'000);
    cart.space->set(cart.ssdB, 1'500'000'000'000);
    cart.plug(cart.all());
    ASSERT_TRUE(cart.startTransfer(true));
    // The copy fills the drives (another program's files do the same on a real drive).
    cart.space->set(cart.ssdA, 302'400'000);
    cart.space->set(cart.ssdB, 1'499'999'500'000);
    cart.engines->openGates();
    ASSERT_TRUE(cart.waitFor([&] { return headline().contains("Safely transferred"); }));
    EXPECT_TRUE(cart.waitFor([&] {
        return destinationFreeSpace() == QStringList({"302.4 MB free of 2 TB", "1.5 TB free of 2 TB"});
    })) << destinationFreeSpace().join(", ").toStdString();
}

TEST(CartWindow, TheShownDrivesFreeSpaceIsReadAgainNowAndThen) {
    ModelTimings timings;
    timings.freeSpaceRefresh = std::chrono::milliseconds(200);
    CartWindow cart(timings);
    cart.space->set(cart.ssdA, 1'500'000'000'000);
    cart.space->set(cart.ssdB, 1'500'000'000'000);
    cart.plug(cart.all());
    cart.space->set(cart.ssdB, 700'000'000'000);
    EXPECT_TRUE(cart.waitFor([&] {
        return destinationFreeSpace() == QStringList({"1.5 TB free of 2 TB", "700 GB free of 2 TB"});
    })) << destinationFreeSpace().join(", ").toStdString();
}

TEST(CartWindow, APulledSSDKeepsItsNameAndItsCardItsLayoutWhenItComesBack) {
    CartWindow cart;
    // Mounted deep, as a desktop mounts it: its error names a long path.
    cart.ssdB = cart.root / "run/media/crew/usb-Samsung_Portable_SSD_T7_1234567890-0:0/SSD_B";
    std::filesystem::create_directories(cart.ssdB);
    cart.plug(cart.all());
    ASSERT_TRUE(cart.startTransfer(true));
    // SSD_B is pulled before the copy reaches it: where it was mounted, nothing can be written.
    std::filesystem::remove_all(cart.ssdB);
    writeFile(cart.ssdB, "");
    cart.plug(cart.allBut("SSD_B"));
    cart.engines->openGates();
    ASSERT_TRUE(cart.waitFor([&] { return headline().startsWith("Not fully successful"); })) << headline().toStdString();
    saveRender(cart.window(), QStringLiteral("cart-ssd-pulled"), QSize(1300, 800));
    EXPECT_EQ(headline(), "Not fully successful\nSee SSD_B, the drive with the red bar");
    QStringList names;
    for (QWidget* name : findWidgets(QStringLiteral("destinationName")))
        if (name->width() >= name->sizeHint().width()) names << textOf(name);
    EXPECT_EQ(names, QStringList({"SSD_A", "SSD_B"}));

    // Plugged in again: its card lays the folder tree out above the result, nothing drawn over it.
    std::filesystem::remove(cart.ssdB);
    std::filesystem::create_directories(cart.ssdB);
    cart.plug(cart.all());
    ASSERT_TRUE(cart.waitFor([&] { return findWidgets(QStringLiteral("destinationCard")).size() == 2; }));
    saveRender(cart.window(), QStringLiteral("cart-ssd-back"), QSize(1300, 800));
    for (QWidget* row : findWidgets(QStringLiteral("folderRow")))
        EXPECT_GE(row->height(), row->sizeHint().height()) << textOf(row).toStdString();
    const QList<QWidget*> results = findWidgets(QStringLiteral("destinationResultText"));
    ASSERT_EQ(results.size(), 2);
    for (QWidget* text : results) EXPECT_GE(text->height(), text->heightForWidth(text->width())) << textOf(text).toStdString();
}

// The paused card chosen again after another card was looked at, while the SSD of its transfer is
// off: TRANSFER and the Transfer menu's command stay live, as the model resumes that card whatever
// would block a new start, and pressing TRANSFER names the drive to reconnect. With the drive back,
// the menu's command goes on in the paused roll.
TEST(CartWindow, ThePausedCardChosenAgainResumesFromTransferWhileItsDriveIsOff) {
    CartWindow cart;
    const std::filesystem::path otherFolder = cart.root / "B_CARD";
    writeFile(otherFolder / "PRIVATE/M4ROOT/CLIP/C0001.MP4", std::string(100'000, 'c'));
    const DriveInfo otherCard = FakeVolume::card(otherFolder, "B_CARD", "CARD-2");
    // The card of that name in the source column, where a click selects it.
    const auto sourceCard = [](const QString& name) -> QWidget* {
        for (QWidget* card : findWidgets(QStringLiteral("driveCard")))
            if (card->parentWidget()->objectName() == QStringLiteral("sourceCard"))
                for (QWidget* label : card->findChildren<QWidget*>(QStringLiteral("driveName")))
                    if (textOf(label) == name) return card;
        return nullptr;
    };
    std::vector<DriveInfo> volumes = cart.allBut("SSD_B");  // the transfer goes to SSD_A alone
    volumes.push_back(otherCard);
    cart.plug(volumes);
    ASSERT_EQ(cart.model().selectedSourceID(), std::optional<std::string>("CARD-1"));
    ASSERT_TRUE(cart.startTransfer(true));
    ASSERT_TRUE(click(QStringLiteral("pauseButton")));
    ASSERT_TRUE(cart.waitFor([&] { return findWidget(QStringLiteral("resumeButton")) != nullptr; }));

    ASSERT_TRUE(click(sourceCard(QStringLiteral("B_CARD"))));
    ASSERT_TRUE(cart.waitFor([&] { return findWidget(QStringLiteral("transferButton")) != nullptr; }));
    cart.plug({cart.all()[0], otherCard});
    ASSERT_TRUE(click(sourceCard(QStringLiteral("FX6_CARD"))));
    QAction* command = cart.window().action(QStringLiteral("startTransfer"));
    EXPECT_TRUE(cart.waitFor([&] {
        QWidget* transfer = findWidget(QStringLiteral("transferButton"));
        return transfer && transfer->isEnabled() && command->isEnabled();
    })) << "the paused card resumes from TRANSFER, so it is not blocked by the missing SSD";
    EXPECT_EQ(textOf(findWidget(QStringLiteral("transferStatusLine"))), "Reconnect SSD_A to continue.");
    ASSERT_TRUE(click(QStringLiteral("transferButton")));
    ASSERT_TRUE(cart.waitFor([&] { return textOf(findWidget(QStringLiteral("alertTitle"))) == "Not everything is connected yet"; }));
    EXPECT_EQ(textOf(findWidget(QStringLiteral("alertMessage"))), "Reconnect SSD_A to continue.");
    EXPECT_EQ(cart.engines->jobs.size(), 1u);

    cart.engines->gated = false;
    cart.plug(volumes);
    ASSERT_TRUE(cart.waitFor([&] { return findWidget(QStringLiteral("mainAlert")) == nullptr && command->isEnabled(); }));
    EXPECT_EQ(textOf(findWidget(QStringLiteral("transferStatusLine"))), "All set");
    command->trigger();
    ASSERT_TRUE(cart.waitFor([&] { return findWidget(QStringLiteral("nextCardButton")) != nullptr; }));
    ASSERT_EQ(cart.engines->jobs.size(), 2u);
    EXPECT_EQ(cart.engines->jobs[1].sourceName, "FX6_CARD");
    EXPECT_EQ(cart.engines->jobs[1].destinations.at(0).rollURL, cart.engines->jobs[0].destinations.at(0).rollURL);
}

// A card holding a name that no manifest can list as it is on disk is refused before anything is
// copied: the source column and the line under TRANSFER name the file, in full at the smallest
// window, in both languages.
TEST(CartWindow, ACardWithANameNoManifestCanListIsRefusedByName) {
    CartWindow cart;
    const std::string name = "PRIVATE/M4ROOT/CLIP/bad\xff\xfe.MP4";
    writeFile(cart.card / name, "clip");
    cart.window().resize(cart.window().minimumSize());
    cart.volumes->push(cart.all());
    for (AppLanguage language : {AppLanguage::en, AppLanguage::nl}) {
        const std::string id = AppLanguages::id(language);
        SCOPED_TRACE(id);
        ASSERT_TRUE(click(QStringLiteral("language-") + QString::fromStdString(id)));
        std::string refusal;
        {
            LanguageScope told(language);
            refusal = SourceScanError::unlistableName(cart.card / name, name, Markup::Loss::invalidUtf8).errorDescription();
        }
        ASSERT_NE(refusal.find("PRIVATE/M4ROOT/CLIP/bad\\xFF\\xFE.MP4"), std::string::npos) << refusal;
        EXPECT_TRUE(cart.waitFor([&] { return textOf(findWidget(QStringLiteral("scanLine"))).toStdString() == refusal; }))
            << textOf(findWidget(QStringLiteral("scanLine"))).toStdString();
        EXPECT_EQ(textOf(findWidget(QStringLiteral("transferStatusLine"))).toStdString(), refusal);
        EXPECT_FALSE(findWidget(QStringLiteral("transferButton"))->isEnabled());
        saveRender(cart.window(), QStringLiteral("cart-unlistable-name-") + QString::fromStdString(id),
                   cart.window().minimumSize());
    }
    EXPECT_TRUE(cart.engines->jobs.empty());
}
