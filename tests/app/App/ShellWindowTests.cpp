#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTest>

#include "App/MainWindow.h"
#include "App/WindowSizes.h"
#include "Views/Kit/BrandLogo.h"
#include "Views/Kit/CheckBox.h"
#include "Views/Kit/EmptyZone.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Settings/DisclosureButton.h"
#include "Views/Settings/TransferSettings.h"
#include "support/Scopes.h"
#include "Views/Main/AlertBox.h"
#include "Views/History/HistoryView.h"
#include "Views/Main/MainView.h"
#include "Views/Settings/SettingsView.h"
#include "support/OffscreenApp.h"
#include "support/app/MainWindowStaging.h"
#include "support/app/ModelHarness.h"

using namespace quillane;
using namespace quillane::testing;

TEST(MainWindow, MenusFollowTheModel) {
    ModelHarness harness;
    AppModel& model = harness.make();
    MainWindow window(model);
    stageCart(harness.stage(), 2, 2, 0, TransferState::running);
    harness.settle();
    EXPECT_FALSE(window.action("changeProject")->isEnabled());
    EXPECT_FALSE(window.action("createFolders")->isEnabled());
    EXPECT_FALSE(window.action("demo")->isEnabled());
    EXPECT_TRUE(window.action("history")->isEnabled());
    EXPECT_TRUE(window.action("findClip")->isEnabled());
    harness.stage().transfer(TransferState::succeeded);
    harness.settle();
    EXPECT_TRUE(window.action("changeProject")->isEnabled());
    EXPECT_TRUE(window.action("createFolders")->isEnabled());
    EXPECT_EQ(window.action("demo")->text(), "Start demo mode");
    window.action("findClip")->trigger();
    EXPECT_EQ(window.navigation().history(), WindowNavigation::History::clipSearch);
}

TEST(MainWindow, HistoryAndSettingsOpenWhereTheirButtonsAndCommandsAsk) {
    LanguageScope language;
    ModelHarness harness;
    AppModel& model = harness.make();
    model.setShowProjectSheet(false);
    stageCart(harness.stage(), 2, 1, 0, TransferState::idle);
    MainWindow window(model);
    showOffscreen(window, QSize(1300, 800));
    harness.settle();
    const auto button = [&](const char* name) { return window.mainView()->findChild<StyledButton*>(name); };

    // The header's search button: the history sheet, its search field focused. It stays open over
    // content built anew for another language, and Close ends it.
    QTest::mouseClick(button("clipSearchButton"), Qt::LeftButton);
    QTRY_COMPARE(window.mainView()->sheetShown(), MainView::Sheet::history);
    auto* history = window.mainView()->sheet()->findChild<HistoryView*>();
    ASSERT_NE(history, nullptr);
    QTRY_COMPARE(history->focusWidget(), static_cast<QWidget*>(history->searchField()));
    model.changeSettings([](AppSettings& s) { s.language = AppLanguage::nl; });
    harness.settle();
    QTRY_COMPARE(window.mainView()->sheetShown(), MainView::Sheet::history);
    QTest::mouseClick(window.mainView()->sheet()->findChild<StyledButton*>("closeHistory"), Qt::LeftButton);
    QTRY_COMPARE(window.mainView()->sheetShown(), MainView::Sheet::none);

    // The history command: the sheet with the focus on the overview, not in the field.
    window.action("history")->trigger();
    QTRY_COMPARE(window.mainView()->sheetShown(), MainView::Sheet::history);
    history = window.mainView()->sheet()->findChild<HistoryView*>();
    QTRY_VERIFY(history->isVisible());
    EXPECT_EQ(history->focusWidget(), static_cast<QWidget*>(history));
    window.mainView()->sheet()->reject();
    QTRY_COMPARE(window.mainView()->sheetShown(), MainView::Sheet::none);

    // The structure button brings the open settings window to its tab.
    window.action("settings")->trigger();
    auto* settings = qobject_cast<SettingsView*>(window.settingsWindow());
    ASSERT_NE(settings, nullptr);
    QTest::mouseClick(settings->findChild<QWidget*>("tab-recognition"), Qt::LeftButton);
    ASSERT_EQ(settings->tab(), SettingsTab::recognition);
    QTest::mouseClick(button("editStructureButton"), Qt::LeftButton);
    EXPECT_EQ(window.settingsWindow(), settings);
    EXPECT_EQ(settings->tab(), SettingsTab::structure);
    EXPECT_TRUE(settings->isVisible());
    settings->close();
}

TEST(MainWindow, OneCtrlReturnBinding) {
    ModelHarness harness;
    AppModel& model = harness.make();
    MainWindow window(model);
    int bound = 0;
    for (QAction* action : window.findChildren<QAction*>())
        bound += action->shortcut() == QKeySequence(QStringLiteral("Ctrl+Return"));
    EXPECT_EQ(bound, 1);
    EXPECT_EQ(window.action("startTransfer")->shortcut().toString(QKeySequence::NativeText), "Ctrl+Return");
}

TEST(MainWindow, LanguageRebuildsTheContent) {
    ModelHarness harness;
    AppModel& model = harness.make();
    MainWindow window(model);
    MainView* before = window.mainView();
    model.changeSettings([](AppSettings& s) { s.language = AppLanguage::nl; });
    harness.settle();
    EXPECT_NE(window.mainView(), before);
    EXPECT_EQ(window.action("history")->text(), "Geschiedenis");
    model.changeSettings([](AppSettings& s) { s.language = AppLanguage::en; });
    harness.settle();
}

TEST(MainWindow, QuitAsksOnlyWhileATransferRuns) {
    for (TransferState state : {TransferState::idle, TransferState::paused, TransferState::running}) {
        ModelHarness harness;
        AppModel& model = harness.make();
        model.setShowProjectSheet(false);
        stageCart(harness.stage(), 2, 1, 0, state);
        harness.settle();
        MainWindow window(model);
        showOffscreen(window);
        window.close();
        QCoreApplication::processEvents();
        auto* question = window.findChild<AlertBox*>("quitQuestion");
        EXPECT_EQ(question != nullptr, state == TransferState::running);
        EXPECT_EQ(window.isVisible(), state == TransferState::running);
        if (!question) continue;
        question->findChild<StyledButton*>("continueTransfer")->click();
        QCoreApplication::processEvents();
        EXPECT_TRUE(window.isVisible());
        // Escape means continue too: the transfer goes on.
        window.close();
        QCoreApplication::processEvents();
        question = window.findChild<AlertBox*>("quitQuestion");
        ASSERT_NE(question, nullptr);
        QTest::keyClick(question, Qt::Key_Escape);
        QCoreApplication::processEvents();
        EXPECT_TRUE(window.isVisible());
        window.close();
        QCoreApplication::processEvents();
        question = window.findChild<AlertBox*>("quitQuestion");
        ASSERT_NE(question, nullptr);
        question->findChild<StyledButton*>("quitAnyway")->click();
        QTest::qWait(50);
        EXPECT_FALSE(window.isVisible());
    }
}

TEST(MainWindow, SettingsWindowSizeFollowsTheScreen) {
    struct Case {
        const char* name;
        std::optional<QRect> area;
        QSize expected;
    };
    const Case cases[] = {
        {"large screen", QRect(0, 0, 2560, 1410), {1240, 900}},
        {"laptop", QRect(0, 27, 1366, 741), {1240, 681}},
        {"small screen", QRect(1920, 0, 1024, 1000), {944, 900}},
        {"no screen", std::nullopt, {1240, 840}},
    };
    for (const Case& c : cases) EXPECT_EQ(settingsWindowSize(c.area), c.expected) << c.name;
}

TEST(MainWindow, SettingsOpenAtTheirSizeOnTheMainWindowsScreen) {
    ModelHarness harness;
    AppModel& model = harness.make();
    MainWindow window(model);
    showOffscreen(window, QSize(1300, 800));
    window.action("settings")->trigger();
    QWidget* settings = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == "settingsWindow" && top->isVisible()) settings = top;
    ASSERT_NE(settings, nullptr);
    const QRect area = window.screen()->availableGeometry();
    EXPECT_EQ(settings->size(), settingsWindowSize(area).expandedTo(QSize(760, 520)));
    EXPECT_TRUE(area.contains(settings->geometry())) << area.width() << "x" << area.height();
    settings->close();
}

TEST(MainWindow, QuestionsAboutAndControlsAreDrawnInTheTheme) {
    for (const AppLanguage language : {AppLanguage::en, AppLanguage::nl}) {
        LanguageScope scope(language);
        const QString suffix = language == AppLanguage::en ? QStringLiteral("-en") : QStringLiteral("-nl");
        ModelHarness harness;
        AppModel& model = harness.make();
        model.changeSettings([language](AppSettings& s) { s.language = language; });
        model.setShowProjectSheet(false);
        harness.settle();
        MainWindow window(model);
        showOffscreen(window, QSize(1300, 800));
        saveRender(window, QStringLiteral("main-empty") + suffix, QSize(1300, 800));
        // The source's and the destinations' empty zones are alike, whatever room their columns have.
        QList<int> heights;
        for (EmptyZone* zone : window.findChildren<EmptyZone*>())
            if (zone->isVisible()) heights << zone->height();
        ASSERT_EQ(heights.size(), 2);
        EXPECT_EQ(heights[0], heights[1]);
        stageCart(harness.stage(), 2, 1, 0, TransferState::running);
        harness.settle();
        window.close();
        QCoreApplication::processEvents();
        auto* question = window.findChild<AlertBox*>("quitQuestion");
        ASSERT_NE(question, nullptr);
        saveRender(*question, QStringLiteral("quit-question") + suffix);
        question->findChild<StyledButton*>("continueTransfer")->click();
        window.action("about")->trigger();
        QCoreApplication::processEvents();
        auto* about = window.findChild<AlertBox*>("aboutBox");
        ASSERT_NE(about, nullptr);
        ASSERT_NE(about->findChild<BrandLogo*>(QStringLiteral("alertMark")), nullptr) << "the program's mark";
        saveRender(*about, QStringLiteral("about") + suffix);
        about->findChild<StyledButton*>("aboutClose")->click();
        EXPECT_TRUE(window.findChildren<QMessageBox*>().isEmpty()) << "no stock message box";

        // One SSD switched off with its include box, as a user does once the transfer has ended.
        harness.stage().transfer(TransferState::succeeded);
        harness.settle();
        auto boxes = window.findChildren<CheckBox*>("includeSwitch");
        ASSERT_EQ(boxes.size(), 2);
        QTest::mouseClick(boxes[1], Qt::LeftButton);
        harness.settle();
        EXPECT_EQ(model.excludedDestinationIDs().size(), 1u);
        saveRender(window, QStringLiteral("main-ssd-off") + suffix, QSize(1300, 800));

        TransferSettings settings(model, "http://127.0.0.1:9");
        settings.findChild<DisclosureButton*>(QStringLiteral("advanced"))->click();
        saveRender(settings, QStringLiteral("transfer-advanced") + suffix, QSize(620, 1100));
    }
}
