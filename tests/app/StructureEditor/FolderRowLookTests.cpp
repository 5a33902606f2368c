#include <gtest/gtest.h>

#include <functional>

#include "DraftTesting.h"
#include "Support/Dates.h"
#include "Views/StructureEditor/FolderExamples.h"
#include "Views/StructureEditor/FolderRowLook.h"
#include "support/Scopes.h"

using namespace quillane;
using quillane::testing::idAt;
using quillane::testing::LanguageScope;
using quillane::testing::outline;
using Action = FolderMenuItem::Action;

TEST(FolderVariable, MatchesOnlyItsExactPatternAndShortensItsTitle) {
    struct Case {
        std::string pattern;
        std::optional<std::string> label;  // the short label; none: no variable
    };
    const Case cases[] = {
        {"{PROJECT}", "Project name"}, {"DAY_{DAY}", "Shoot day"}, {"DAY_{DAY}_{DATE}", "Shoot day + date"},
        {"{CAM}_CAM", "Camera"},       {"{CAMERA}", "Camera brand"}, {"DAY_{DAY}_X", {}},
        {"day_{day}", {}},             {" {DATE}", {}},              {"{PROJECT}/", {}},
        {"", {}},
    };
    LanguageScope english(AppLanguage::en);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        const auto* variable = FolderVariable::match(c.pattern);
        ASSERT_EQ(variable != nullptr, c.label.has_value());
        if (variable) {
            EXPECT_EQ(variable->shortLabel(), *c.label);
        }
    }
}

TEST(FolderRowLook, BadgesChipAndMenusFollowTheMarks) {
    struct Case {
        std::string name;
        std::string folder;
        bool hovering, dropTarget;
        FolderRowLook look;
    };
    using Fill = FolderRowLook::Fill;
    const auto day = *FolderVariable::match("DAY_{DAY}");
    const Case cases[] = {
        {"the card folder: badge, accent, subfolder menu always", "{PROJECT}/FOOTAGE", false, false,
         {true, false, std::nullopt, true, Fill::none}},
        {"the sound folder", "{PROJECT}/SOUND", false, false, {false, true, std::nullopt, false, Fill::none}},
        {"a variable folder is a chip; the subfolder menu shows while hovered", "{PROJECT}", true, false,
         {false, false, *FolderVariable::match("{PROJECT}"), true, Fill::hover}},
        {"a drag over the row wins over the pointer", "{PROJECT}/SOUND/DAY_{DAY}", true, true,
         {false, false, day, true, Fill::dropTarget}},
        {"a pattern holding more than a variable is a name", "{PROJECT}/SOUND/DAY_{DAY} 2", false, false,
         {false, false, std::nullopt, false, Fill::none}},
    };
    FolderTreeDraft draft(FolderTemplate{"{PROJECT}/FOOTAGE/{ROLL}", {{0, "SOUND/DAY_{DAY}"}, {0, "SOUND/DAY_{DAY} 2"}},
                                         "{PROJECT}/SOUND/{ROLL}"});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(folderRowLook(draft, idAt(draft, c.folder), c.hovering, c.dropTarget), c.look);
    }
    EXPECT_EQ(folderRowLook(draft, UUID::random(), true, true), std::nullopt);

    // With sound in the card folder, the card badge alone shows.
    draft.setSoundFolderID(draft.cardFolderID());
    const auto both = folderRowLook(draft, *draft.cardFolderID(), false, false);
    EXPECT_TRUE(both->isCard);
    EXPECT_FALSE(both->soundBadge);

    LanguageScope english(AppLanguage::en);
    EXPECT_EQ(chipTooltip(day), "Fills in automatically: shoot day");
}

TEST(FolderRowLook, MenuShowsWhatFitsTheFolderAndItsItemsEditTheDraft) {
    struct Case {
        std::string name;
        std::string folder;
        std::function<const FolderMenuItem&(const FolderMenu&)> item;
        std::vector<std::string> marks;  // titles of the first section, "-" for a disabled one
        bool canTypeName;
        std::vector<std::string> tree;
    };
    const auto mark = [](std::size_t i) { return [i](const FolderMenu& m) -> const FolderMenuItem& { return m.marks[i]; }; };
    const Case cases[] = {
        {"cards into a folder", "{PROJECT}/02_GRADE", mark(0), {"Put cards in this folder", "Put sound cards in this folder"},
         false, {"{PROJECT}", "  FOOTAGE", "  SOUND [sound]", "  02_GRADE [card]", "  {CAM}_CAM"}},
        {"the card folder: its card item is off; sound joins it", "{PROJECT}/FOOTAGE", mark(1),
         {"-Put cards in this folder", "Put sound cards in this folder"}, false,
         {"{PROJECT}", "  FOOTAGE [card] [sound]", "  SOUND", "  02_GRADE", "  {CAM}_CAM"}},
        {"sound back with the cards", "{PROJECT}/SOUND", mark(1),
         {"Put cards in this folder", "Put sound back with the cards"}, false,
         {"{PROJECT}", "  FOOTAGE [card]", "  SOUND", "  02_GRADE", "  {CAM}_CAM"}},
        {"a variable from the submenu", "{PROJECT}/02_GRADE",
         [](const FolderMenu& m) -> const FolderMenuItem& { return m.variables[2]; },
         {"Put cards in this folder", "Put sound cards in this folder"}, false,
         {"{PROJECT}", "  FOOTAGE [card]", "  SOUND [sound]", "  {DATE}", "  {CAM}_CAM"}},
        {"type a name yourself keeps today's name in capitals", "{PROJECT}/{CAM}_CAM",
         [](const FolderMenu& m) -> const FolderMenuItem& { return m.naming[0]; },
         {"Put cards in this folder", "Put sound cards in this folder"}, true,
         {"{PROJECT}", "  FOOTAGE [card]", "  SOUND [sound]", "  02_GRADE", "  A_CAM"}},
        {"move up", "{PROJECT}/02_GRADE", [](const FolderMenu& m) -> const FolderMenuItem& { return m.order[0]; },
         {"Put cards in this folder", "Put sound cards in this folder"}, false,
         {"{PROJECT}", "  FOOTAGE [card]", "  02_GRADE", "  SOUND [sound]", "  {CAM}_CAM"}},
        {"move down past the last does nothing", "{PROJECT}/{CAM}_CAM",
         [](const FolderMenu& m) -> const FolderMenuItem& { return m.order[1]; },
         {"Put cards in this folder", "Put sound cards in this folder"}, true,
         {"{PROJECT}", "  FOOTAGE [card]", "  SOUND [sound]", "  02_GRADE", "  {CAM}_CAM"}},
        {"delete the project folder", "{PROJECT}", [](const FolderMenu& m) -> const FolderMenuItem& { return m.remove; },
         {"Put cards in this folder", "Put sound cards in this folder"}, true, {}},
    };
    LanguageScope english(AppLanguage::en);
    FolderExamples examples;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FolderTreeDraft draft(
            FolderTemplate{"{PROJECT}/FOOTAGE/{ROLL}", {{0, "02_GRADE"}, {0, "{CAM}_CAM"}}, "{PROJECT}/SOUND/{ROLL}"});
        const auto folder = idAt(draft, c.folder);
        const auto menu = folderMenu(draft, folder);
        std::vector<std::string> marks;
        for (const auto& item : menu.marks) marks.push_back((item.enabled ? "" : "-") + item.title);
        EXPECT_EQ(marks, c.marks);
        EXPECT_EQ(menu.naming.size(), c.canTypeName ? 1u : 0u);
        ASSERT_EQ(menu.variables.size(), FolderVariable::all().size());
        perform(draft, folder, c.item(menu), examples.example(draft.node(folder)->pattern));
        EXPECT_EQ(outline(draft), c.tree);
    }
}

TEST(FolderExamples, FillInTheCurrentProjectDayAndDateFormat) {
    struct Case {
        AppLanguage language;
        std::string project, dateFormat, pattern, example;
    };
    const Case cases[] = {
        {AppLanguage::en, "", "yyyy-MM-dd", "{PROJECT}", "PROJECT_NAME"},
        {AppLanguage::nl, "", "yyyy-MM-dd", "{PROJECT}", "PROJECTNAAM"},
        {AppLanguage::nl, "Zomer/campagne", "yyyy-MM-dd", "{PROJECT}", "Zomer-campagne"},
        {AppLanguage::en, "", "yyyy-MM-dd", "{CAM}_CAM", "A_CAM"},
        {AppLanguage::en, "", "yyyy-MM-dd", "{CAMERA}", "SONY"},
        {AppLanguage::en, "", "yyyy-MM-dd", "DAY_{DAY}", "DAY_07"},
        {AppLanguage::en, "", "dd-MM-yyyy", "DAY_{DAY}_{DATE}", "DAY_07_09-10-2026"},
        {AppLanguage::en, "", "yyyyMMdd", "{DATE}", "20261009"},
        {AppLanguage::en, "", "yyyy-MM-dd", " GRADE:{UNKNOWN}/x ", "GRADE-{UNKNOWN}-x"},
    };
    quillane::testing::TimeZoneScope zone("UTC");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        LanguageScope language(c.language);
        const FolderExamples examples{c.project, c.dateFormat, 7, Dates::fromUTC({2026, 10, 9, 12, 0, 0})};
        EXPECT_EQ(examples.example(c.pattern), c.example);
    }
}

TEST(FolderExamples, TypingTheProjectNameYourselfUsesTheStandInOfTheLanguage) {
    for (const auto& [language, name] : {std::pair{AppLanguage::en, "PROJECT_NAME"}, {AppLanguage::nl, "PROJECTNAAM"}}) {
        LanguageScope scope(language);
        FolderTreeDraft draft(FolderTemplate{"{PROJECT}/FOOTAGE/{ROLL}", {}, std::nullopt});
        const auto project = idAt(draft, "{PROJECT}");
        const auto menu = folderMenu(draft, project);
        ASSERT_EQ(menu.naming.size(), 1u);
        perform(draft, project, menu.naming[0], FolderExamples{}.example("{PROJECT}"));
        EXPECT_EQ(draft.node(project)->pattern, name);
        // The new-folder name is the language's at the moment of the click.
        EXPECT_EQ(newFolderName(), language == AppLanguage::en ? "NEW_FOLDER" : "NIEUWE_MAP");
    }
}
