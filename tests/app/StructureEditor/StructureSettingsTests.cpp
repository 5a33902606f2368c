// The structure tab and its tree editor as widgets, off screen, over settings held in memory.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>

#include "DraftTesting.h"
#include "Template/TemplateContext.h"
#include "Template/TemplatePreset.h"
#include "Views/StructureEditor/ChoiceCard.h"
#include "Views/StructureEditor/FolderRow.h"
#include "Views/StructureEditor/FolderTreeEditor.h"
#include "Views/StructureEditor/ObservableDraft.h"
#include "Views/StructureEditor/StructureSettings.h"
#include "Views/StructureEditor/TreeRowParts.h"
#include "support/OffscreenApp.h"
#include "support/Scopes.h"
#include "support/app/ModelHarness.h"
#include "support/app/PickerChoice.h"
#include "Views/Kit/Toggle.h"

using namespace quillane;
using quillane::testing::idAt;
using quillane::testing::LanguageScope;
using quillane::testing::outline;
using quillane::testing::showOffscreen;

namespace {

// Settings as the application would hold them, counting the writes.
struct SettingsHolder {
    AppSettings settings;
    int writes = 0;
    std::string project;

    StructureSettingsBinding binding() {
        return {[this] { return settings; },
                [this](const std::function<void(AppSettings&)>& change) {
                    AppSettings next = settings;
                    change(next);
                    if (next == settings) return;
                    settings = next;
                    ++writes;
                },
                [this] { return project; }, [] { return std::int64_t{2}; }};
    }
};

FolderRow* rowOf(StructureSettings& tab, const std::string& path) {
    return dynamic_cast<FolderRow*>(tab.editor()->row(QString::fromStdString(idAt(tab.draft().draft(), path).text())));
}

QAction* actionTitled(QMenu* menu, const QString& title) {
    for (QAction* action : menu->actions()) {
        if (action->text() == title) return action;
        if (action->menu())
            if (QAction* inner = actionTitled(action->menu(), title)) return inner;
    }
    return nullptr;
}

void sendDrag(FolderTreeEditor* editor, QWidget* row, QEvent::Type type, const QString& text) {
    QMimeData payload;
    payload.setText(text);
    const QPoint at = row->rect().center();
    if (type == QEvent::DragLeave) {
        QDragLeaveEvent leave;
        editor->handleDrag(row, &leave);
    } else if (type == QEvent::Drop) {
        QDropEvent drop(at, Qt::MoveAction, &payload, Qt::LeftButton, Qt::NoModifier);
        editor->handleDrag(row, &drop);
    } else {
        QDragEnterEvent enter(at, Qt::MoveAction, &payload, Qt::LeftButton, Qt::NoModifier);
        editor->handleDrag(row, &enter);
    }
}

}  // namespace

TEST(StructureSettings, CardsSelectPresetsAndTheCustomStructure) {
    LanguageScope english(AppLanguage::en);
    SettingsHolder held;
    held.settings.folderTemplate = TemplatePreset::all()[0].folderTemplate;
    StructureSettings tab(held.binding());
    showOffscreen(tab, QSize(900, 1200));

    auto* simple = tab.card("simple");
    auto* custom = tab.card("custom");
    ASSERT_TRUE(simple && custom);
    EXPECT_TRUE(simple->choice().selected);
    EXPECT_EQ(simple->choice().path, "PROJECT \u203A FOOTAGE \u203A A001");
    EXPECT_EQ(custom->choice().path, "PROJECT \u203A 01_FOOTAGE \u203A A001");
    EXPECT_FALSE(tab.findChild<QWidget*>("shootDayBox")->isVisible());
    EXPECT_TRUE(tab.editor()->isVisible());
    EXPECT_EQ(held.writes, 0) << "appearing writes nothing";

    // Another preset: written as it is, and it stays selected (the tree's reading is not written back).
    QTest::mouseClick(tab.card("shootday"), Qt::LeftButton);
    EXPECT_EQ(held.settings.folderTemplate, TemplatePreset::all()[1].folderTemplate);
    EXPECT_TRUE(tab.card("shootday")->choice().selected);

    // Custom while a preset is chosen: the starter, a new tree, the shoot-day box off.
    QTest::mouseClick(custom, Qt::LeftButton);
    EXPECT_EQ(held.settings.folderTemplate, TemplatePreset::customStarter());
    EXPECT_TRUE(custom->choice().selected);
    EXPECT_TRUE(tab.findChild<QWidget*>("shootDayBox")->isVisible());
    EXPECT_FALSE(tab.findChild<Toggle*>("shootDaySwitch")->isChecked());
    EXPECT_EQ(outline(tab.draft().draft())[1], "  01_FOOTAGE [card]");
    // Custom again: nothing changes, not even the tree's ids.
    const int writes = held.writes;
    const auto nodes = tab.draft().draft().nodes();
    QTest::mouseClick(custom, Qt::LeftButton);
    EXPECT_EQ(held.writes, writes);
    EXPECT_EQ(tab.draft().draft().nodes(), nodes);

    // Shoot days on: a day folder in the card folder, written at once, and its toggle shows it.
    QTest::mouseClick(tab.findChild<Toggle*>("shootDaySwitch"), Qt::LeftButton);
    EXPECT_EQ(held.settings.folderTemplate.pattern, "{PROJECT}/01_FOOTAGE/DAY_{DAY}/{ROLL}");
    EXPECT_TRUE(tab.findChild<Toggle*>("shootDaySwitch")->isChecked());
    EXPECT_EQ(custom->choice().path, "PROJECT \u203A 01_FOOTAGE \u203A DAY_01 \u203A A001");
}

TEST(StructureSettings, TypingRenamesAtEveryKeyAndKeepsTheField) {
    LanguageScope english(AppLanguage::en);
    SettingsHolder held;
    held.settings.folderTemplate = TemplatePreset::all()[0].folderTemplate;
    StructureSettings tab(held.binding());
    showOffscreen(tab, QSize(900, 1200));

    FolderRow* row = rowOf(tab, "{PROJECT}/FOOTAGE");
    ASSERT_NE(row, nullptr);
    QLineEdit* field = row->nameField();
    field->setFocus();
    field->setCursorPosition(4);
    QTest::keyClicks(field, "AGE_");
    EXPECT_EQ(held.writes, 4);
    EXPECT_EQ(held.settings.folderTemplate.pattern, "{PROJECT}/FOOTAGE_AGE/{ROLL}");
    EXPECT_EQ(rowOf(tab, "{PROJECT}/FOOTAGE_AGE"), row) << "the row is kept across edits";
    EXPECT_EQ(field->cursorPosition(), 8);
    EXPECT_TRUE(tab.card("custom")->choice().selected);
    EXPECT_EQ(tab.card("custom")->choice().path, "PROJECT \u203A FOOTAGE_AGE \u203A A001");

    // The date picker changes the sample path of a date level at once.
    QTest::mouseClick(tab.findChild<QWidget*>("moreOptions"), Qt::LeftButton);
    field->setText("{DATE}");
    emit field->textEdited(field->text());
    auto* dates = tab.findChild<Picker*>("dateFormatPicker");
    ASSERT_TRUE(dates->isVisible());
    quillane::testing::choose(dates, 1);
    EXPECT_EQ(dates->currentText(), "20261009");
    EXPECT_EQ(held.settings.dateFormat, "yyyyMMdd");
    EXPECT_EQ(tab.card("custom")->choice().path,
              "PROJECT \u203A " + formatTemplateDate(std::chrono::system_clock::now(), "yyyyMMdd") + " \u203A A001");
}

TEST(StructureSettings, RowMenusAndDragsEditTheTree) {
    LanguageScope english(AppLanguage::en);
    SettingsHolder held;
    held.settings.folderTemplate = TemplatePreset::customStarter();
    StructureSettings tab(held.binding());
    showOffscreen(tab, QSize(900, 1400));
    const auto& draft = tab.draft().draft();

    // ••• on a folder: cards go there.
    FolderRow* grade = rowOf(tab, "{PROJECT}/05_GRADE");
    QMenu* menu = grade->moreMenu()->freshMenu();
    ASSERT_NE(actionTitled(menu, "Put cards in this folder"), nullptr);
    EXPECT_TRUE(actionTitled(menu, "Put cards in this folder")->isEnabled());
    EXPECT_EQ(actionTitled(menu, "Type a name yourself"), nullptr);
    actionTitled(menu, "Put cards in this folder")->trigger();
    EXPECT_EQ(held.settings.folderTemplate.pattern, "{PROJECT}/05_GRADE/{ROLL}");
    EXPECT_FALSE(actionTitled(grade->moreMenu()->freshMenu(), "Put cards in this folder")->isEnabled());
    EXPECT_TRUE(grade->subfolderMenu()->isVisible()) << "the card folder always offers subfolders";

    // "Type a name yourself" on {PROJECT} with no project: the stand-in name in capitals.
    FolderRow* project = rowOf(tab, "{PROJECT}");
    EXPECT_FALSE(project->nameField()->isVisible()) << "a variable shows as a chip";
    actionTitled(project->moreMenu()->freshMenu(), "Type a name yourself")->trigger();
    EXPECT_EQ(draft.node(project->folder())->pattern, "PROJECT_NAME");
    EXPECT_TRUE(project->nameField()->isVisible());

    // The drive's add menu: a variable folder at the top.
    auto* driveAdd = tab.editor()->findChild<MenuButton*>("addMenu");
    actionTitled(driveAdd->freshMenu(), "Camera brand")->trigger();
    EXPECT_EQ(outline(draft).back(), "{CAMERA}");

    // Drag over A, then B before A's leave arrives: B stays marked. Dropping moves into B.
    FolderRow* audio = rowOf(tab, "PROJECT_NAME/03_AUDIO");
    FolderRow* exports = rowOf(tab, "PROJECT_NAME/06_EXPORTS");
    const QString moved = QString::fromStdString(idAt(draft, "PROJECT_NAME/02_PROJECT").text());
    sendDrag(tab.editor(), audio, QEvent::DragEnter, moved);
    sendDrag(tab.editor(), exports, QEvent::DragEnter, moved);
    sendDrag(tab.editor(), audio, QEvent::DragLeave, moved);
    EXPECT_EQ(tab.editor()->dropMark().key(), idAt(draft, "PROJECT_NAME/06_EXPORTS").text());
    sendDrag(tab.editor(), exports, QEvent::Drop, moved);
    EXPECT_TRUE(quillane::testing::folderAt(draft, "PROJECT_NAME/06_EXPORTS/02_PROJECT"));
    EXPECT_EQ(tab.editor()->dropMark().key(), std::nullopt);
    bool found = false;
    for (const auto& extra : held.settings.folderTemplate.extraFolders) found |= extra.name == "06_EXPORTS/02_PROJECT";
    EXPECT_TRUE(found) << "the move reached the settings";

    // The drive row takes a folder to the top.
    sendDrag(tab.editor(), tab.editor()->findChild<QWidget*>("driveRow"), QEvent::Drop, moved);
    EXPECT_EQ(outline(draft).back(), "02_PROJECT");
}

TEST(StructureSettings, NothingMovesUnderThePointerWhenADragStartsOrAPickerIsChosen) {
    LanguageScope english(AppLanguage::en);
    SettingsHolder held;
    held.settings.folderTemplate = TemplatePreset::customStarter();
    StructureSettings tab(held.binding());
    showOffscreen(tab, QSize(639, 640));  // the width the settings window gives the tab
    QTest::mouseClick(tab.findChild<QWidget*>("moreOptions"), Qt::LeftButton);
    QCoreApplication::processEvents();
    auto* scroll = tab.findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    QScrollBar* bar = scroll->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0) << "the tab scrolls at this height";
    bar->setValue(bar->maximum());
    QCoreApplication::processEvents();
    const int bottom = bar->value();

    // Press on the last folder row the viewport shows, beside its name, and move: that folder is grabbed.
    FolderRow* pressed = nullptr;
    for (FolderRow* row : tab.editor()->findChildren<FolderRow*>()) {
        const QPoint top = row->mapTo(scroll->viewport(), QPoint(0, 0));
        if (row->isVisible() && top.y() >= 0 && top.y() + row->height() <= scroll->viewport()->height()) pressed = row;
    }
    ASSERT_NE(pressed, nullptr);
    const QPoint at(rowIndent(1) - 4, pressed->height() / 2);
    QTest::mouseMove(pressed, at);
    QTest::mousePress(pressed, Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(bar->value(), bottom) << "the press moves nothing";
    QTest::mouseMove(pressed, at + QPoint(QApplication::startDragDistance() + 6, 0));
    EXPECT_EQ(bar->value(), bottom) << "the drag's start moves nothing";
    const QList<QDrag*> drags = pressed->findChildren<QDrag*>();
    ASSERT_EQ(drags.size(), 1);
    EXPECT_EQ(drags[0]->mimeData()->text().toStdString(), pressed->folder().text()) << "the pressed folder is carried";
    // What the drag brings first: it enters the row it started on, which is marked as the target.
    QMimeData payload;
    payload.setText(drags[0]->mimeData()->text());
    QDragEnterEvent enter(at, Qt::MoveAction, &payload, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pressed, &enter);
    QCoreApplication::processEvents();
    EXPECT_EQ(tab.editor()->dropMark().key(), pressed->folder().text());
    EXPECT_EQ(bar->value(), bottom) << "marking the target moves nothing";
    QTest::mouseRelease(pressed, Qt::LeftButton, Qt::NoModifier, at);
    QCoreApplication::processEvents();

    // Choosing a camera letter keeps the page where it is.
    quillane::testing::choose(tab.findChild<Picker*>("cameraLetterPicker"), 2);
    QCoreApplication::processEvents();
    EXPECT_EQ(held.settings.defaultCameraLetter, "C");
    EXPECT_EQ(bar->value(), bottom) << "a choice moves nothing";
}

TEST(StructureSettings, FollowsTheApplicationModel) {
    LanguageScope english(AppLanguage::en);
    quillane::testing::ModelHarness harness;
    AppModel& model = harness.make();
    model.changeSettings([](AppSettings& s) { s.folderTemplate = TemplatePreset::all()[0].folderTemplate; });
    harness.settle();
    StructureSettings tab(model);
    showOffscreen(tab, QSize(900, 1200));

    // Each keystroke reaches the model's settings.
    QLineEdit* field = rowOf(tab, "{PROJECT}/FOOTAGE")->nameField();
    field->setFocus();
    QTest::keyClicks(field, "_A");
    EXPECT_EQ(model.settings().folderTemplate.pattern, "{PROJECT}/FOOTAGE_A/{ROLL}");
    harness.settle();
    EXPECT_TRUE(tab.card("custom")->choice().selected);

    // A change made elsewhere shows once the model announces it.
    model.changeSettings([](AppSettings& s) { s.folderTemplate = TemplatePreset::all()[1].folderTemplate; });
    harness.settle();
    EXPECT_TRUE(tab.card("shootday")->choice().selected);
}

TEST(StructureSettings, HandEditedTemplateStaysUsable) {
    SettingsHolder held;
    std::string deep;
    for (int i = 0; i < 40; ++i) deep += std::string(300, static_cast<char>('a' + i % 26)) + "/";
    held.settings.folderTemplate = {"../{PROJECT}/" + std::string("x\0y", 3) + "/{ROLL}", {{0, deep}}, std::nullopt};
    for (int i = 0; i < 300; ++i) held.settings.folderTemplate.extraFolders.push_back({-1, std::string("E").append(std::to_string(i))});
    StructureSettings tab(held.binding());
    showOffscreen(tab, QSize(900, 900));
    EXPECT_EQ(tab.editor()->rowKeys().size(), 1 + 3 + 2 + 40 + 300);
    // Still editable, and each edit is written.
    actionTitled(rowOf(tab, "../{PROJECT}")->moreMenu()->freshMenu(), "Move down")->trigger();
    EXPECT_EQ(held.writes, 1);
    EXPECT_TRUE(tab.card("custom")->choice().selected);
}

TEST(StructureSettings, RendersInBothLanguages) {
    for (const auto language : {AppLanguage::en, AppLanguage::nl}) {
        LanguageScope scope(language);
        SettingsHolder held;
        held.project = "Zomercampagne";
        held.settings.folderTemplate = TemplatePreset::customStarter();
        held.settings.folderTemplate.pattern = "{PROJECT}/01_FOOTAGE/DAY_{DAY}/{ROLL}";
        held.settings.folderTemplate.extraFolders.push_back({1, "{CAM}_CAM"});
        StructureSettings tab(held.binding());
        showOffscreen(tab, QSize(900, 1500));
        QTest::mouseClick(tab.findChild<QWidget*>("moreOptions"), Qt::LeftButton);
        const std::string name = language == AppLanguage::en ? "structure-tab-en" : "structure-tab-nl";
        const QImage image = quillane::testing::saveRender(tab, QString::fromStdString(name), QSize(900, 1500));
        ASSERT_FALSE(image.isNull());
        // The selected custom card carries the accent on its check mark; nothing is drawn off the page.
        EXPECT_TRUE(tab.card("custom")->choice().selected);
        EXPECT_TRUE(tab.findChild<Toggle*>("shootDaySwitch")->isChecked());
    }
}
