#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "DraftTesting.h"
#include "Template/TemplatePreset.h"
#include "Views/StructureEditor/FolderTreeDraft.h"

using namespace quillane;
using quillane::testing::idAt;
using quillane::testing::outline;
using Lines = std::vector<std::string>;

namespace {

const std::string P = "{PROJECT}";

FolderTemplate cardOnly(std::string pattern, std::vector<ExtraFolder> extras = {}) {
    return {std::move(pattern), std::move(extras), std::nullopt};
}

}  // namespace

TEST(FolderTreeDraft, ReadsTemplatesIntoTreesAndBackStably) {
    struct Case {
        std::string name;
        FolderTemplate stored;
        Lines tree;
        FolderTemplate readBack;
    };
    const auto simple = TemplatePreset::all()[0].folderTemplate;
    const auto shootDay = TemplatePreset::all()[1].folderTemplate;
    const auto starter = TemplatePreset::customStarter();
    const Case cases[] = {
        {"default template", cardOnly("{PROJECT}/FOOTAGE/{ROLL}"), {P, "  FOOTAGE [card]"},
         cardOnly("{PROJECT}/FOOTAGE/{ROLL}")},
        {"single-day preset: the sound folder reads back as an extra folder", simple,
         {P, "  FOOTAGE [card]", "  SOUND [sound]"},
         {simple.pattern, {{0, "SOUND"}}, simple.soundPattern}},
        {"shoot-day preset", shootDay, {P, "  DAY_{DAY} [card]", "    SOUND [sound]"},
         {shootDay.pattern, {{1, "SOUND"}}, shootDay.soundPattern}},
        {"sound path equal to the card path is the card folder",
         {"{PROJECT}/FOOTAGE/{ROLL}", {}, "{PROJECT}/FOOTAGE/{ROLL}"}, {P, "  FOOTAGE [card] [sound]"},
         cardOnly("{PROJECT}/FOOTAGE/{ROLL}")},
        {"sound path of only the roll", {"{PROJECT}/FOOTAGE/{ROLL}", {}, " {ROLL} "}, {P, "  FOOTAGE [card]"},
         cardOnly("{PROJECT}/FOOTAGE/{ROLL}")},
        {"card path without a roll level gets one", cardOnly(" {PROJECT} / FOOTAGE //"), {P, "  FOOTAGE [card]"},
         cardOnly("{PROJECT}/FOOTAGE/{ROLL}")},
        {"a roll level in the middle stays a folder", cardOnly("A/{ROLL}/B"), {"A", "  {ROLL}", "    B [card]"},
         cardOnly("A/{ROLL}/B/{ROLL}")},
        {"extra folders beyond the chain, at the top and at the project",
         cardOnly("{PROJECT}/FOOTAGE/{ROLL}", {{7, "DEEP"}, {-1, "TOP"}, {0, "ART"}, {0, ""}}),
         {P, "  FOOTAGE [card]", "    DEEP", "  ART", "TOP"},
         cardOnly("{PROJECT}/FOOTAGE/{ROLL}", {{1, "DEEP"}, {0, "ART"}, {-1, "TOP"}})},
        {"no card folder: everything starts at the top", cardOnly("{ROLL}", {{0, "A/B"}, {3, "C/{ROLL}"}}),
         {"A", "  B", "C", "  {ROLL}"}, cardOnly("{ROLL}", {{-1, "A"}, {-1, "A/B"}, {-1, "C"}, {-1, "C/{ROLL}"}})},
        {"duplicates and card folders named again fold into one",
         cardOnly("{PROJECT}/FOOTAGE/{ROLL}", {{0, "X"}, {0, "X/"}, {0, "FOOTAGE"}, {-1, "{PROJECT}/X"}}),
         {P, "  FOOTAGE [card]", "  X"}, cardOnly("{PROJECT}/FOOTAGE/{ROLL}", {{0, "X"}})},
        {"custom starter: intermediate folders become extra folders, in tree order", starter,
         {P, "  01_FOOTAGE [card]", "  03_AUDIO", "    SOUND_RECORDINGS [sound]", "    SFX", "    VOICE-OVER",
          "    TO_SOUND", "    FROM_SOUND", "  02_PROJECT", "  04_ARTWORKS", "    FONTS", "    LOGOS", "  05_GRADE",
          "  06_EXPORTS"},
         {starter.pattern,
          {{0, "03_AUDIO"}, {0, "03_AUDIO/SOUND_RECORDINGS"}, {0, "03_AUDIO/SFX"}, {0, "03_AUDIO/VOICE-OVER"},
           {0, "03_AUDIO/TO_SOUND"}, {0, "03_AUDIO/FROM_SOUND"}, {0, "02_PROJECT"}, {0, "04_ARTWORKS"},
           {0, "04_ARTWORKS/FONTS"}, {0, "04_ARTWORKS/LOGOS"}, {0, "05_GRADE"}, {0, "06_EXPORTS"}},
          starter.soundPattern}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FolderTreeDraft draft(c.stored);
        EXPECT_EQ(outline(draft), c.tree);
        EXPECT_EQ(draft.folderTemplate(), c.readBack);
        // What a draft reads back, a new draft reads back unchanged; ids are new every time.
        const FolderTreeDraft again(c.readBack);
        EXPECT_EQ(again.folderTemplate(), c.readBack);
        if (!draft.nodes().empty()) {
            EXPECT_NE(again.nodes().front().id, draft.nodes().front().id);
        }
    }
}

TEST(FolderTreeDraft, EditsChangeTheTreeAndKeepItsMarksSound) {
    struct Case {
        std::string name;
        FolderTemplate start;
        std::function<void(FolderTreeDraft&)> edit;
        Lines tree;
        std::optional<FolderTemplate> readBack = std::nullopt;
    };
    const auto simple = TemplatePreset::all()[0].folderTemplate;
    const FolderTemplate abc = cardOnly("{PROJECT}/FOOTAGE/{ROLL}", {{0, "A"}, {0, "B"}, {0, "C"}, {0, "A/IN"}});
    const Case cases[] = {
        {"shoot days on: a day folder inside the card folder holds the cards",
         cardOnly("{PROJECT}/FOOTAGE/{ROLL}", {{1, "LUTS"}}), [](auto& d) { d.setPerShootDay(true); },
         {P, "  FOOTAGE", "    LUTS", "    DAY_{DAY} [card]"},
         cardOnly("{PROJECT}/FOOTAGE/DAY_{DAY}/{ROLL}", {{1, "LUTS"}})},
        {"shoot days on without a card folder", cardOnly("{ROLL}"), [](auto& d) { d.setPerShootDay(true); },
         {"DAY_{DAY} [card]"}, cardOnly("DAY_{DAY}/{ROLL}")},
        {"shoot days off lifts the day's folders and clears a sound mark on it",
         {"{PROJECT}/FOOTAGE/DAY_{DAY}/{ROLL}", {{2, "CAM_A"}}, "{PROJECT}/FOOTAGE/DAY_{DAY}/{ROLL}"},
         [](auto& d) { d.setPerShootDay(false); }, {P, "  FOOTAGE [card]", "    CAM_A"},
         cardOnly("{PROJECT}/FOOTAGE/{ROLL}", {{1, "CAM_A"}})},
        {"a day tag among other text counts; switching off at the top leaves no card folder",
         cardOnly("SHOOT_{DAY}_X/{ROLL}", {{0, "NOTES"}}), [](auto& d) { d.setPerShootDay(false); }, {"NOTES"},
         cardOnly("{ROLL}", {{-1, "NOTES"}})},
        {"switching to the value it has changes nothing", cardOnly("{PROJECT}/DAY_{DAY}/{ROLL}"),
         [](auto& d) { d.setPerShootDay(true); }, {P, "  DAY_{DAY} [card]"}},
        {"removing a folder two levels above the card folder", cardOnly("A/B/C/{ROLL}", {{2, "X"}}),
         [](auto& d) { d.remove(idAt(d, "A/B")); }, {"A [card]"}, cardOnly("A/{ROLL}")},
        {"removing the sound folder clears its mark", simple,
         [](auto& d) { d.remove(idAt(d, "{PROJECT}/SOUND")); }, {P, "  FOOTAGE [card]"},
         cardOnly("{PROJECT}/FOOTAGE/{ROLL}")},
        {"removing a top-level card folder leaves none", simple, [](auto& d) { d.remove(idAt(d, P)); }, {},
         cardOnly("{ROLL}")},
        {"moving onto itself or into its own subfolder does nothing", abc,
         [](auto& d) {
             d.move(idAt(d, "{PROJECT}/A"), idAt(d, "{PROJECT}/A"));
             d.move(idAt(d, "{PROJECT}/A"), idAt(d, "{PROJECT}/A/IN"));
             d.move(idAt(d, P), idAt(d, "{PROJECT}/FOOTAGE"));
         },
         {P, "  FOOTAGE [card]", "  A", "    IN", "  B", "  C"}},
        {"moving onto its own parent puts it last; moving to the drive makes it a top folder", abc,
         [](auto& d) {
             d.move(idAt(d, "{PROJECT}/A"), idAt(d, P));
             d.move(idAt(d, "{PROJECT}/B"), std::nullopt);
         },
         {P, "  FOOTAGE [card]", "  C", "  A", "    IN", "B"},
         cardOnly("{PROJECT}/FOOTAGE/{ROLL}", {{0, "C"}, {0, "A"}, {0, "A/IN"}, {-1, "B"}})},
        {"the marks follow a moved folder", simple,
         [](auto& d) { d.move(idAt(d, "{PROJECT}/FOOTAGE"), idAt(d, "{PROJECT}/SOUND")); },
         {P, "  SOUND [sound]", "    FOOTAGE [card]"},
         FolderTemplate{"{PROJECT}/SOUND/FOOTAGE/{ROLL}", {}, "{PROJECT}/SOUND/{ROLL}"}},
        {"shifting past the ends does nothing; two places swap, not rotate", abc,
         [](auto& d) {
             d.shift(idAt(d, "{PROJECT}/FOOTAGE"), -1);
             d.shift(idAt(d, "{PROJECT}/C"), 1);
             d.shift(idAt(d, "{PROJECT}/C"), std::numeric_limits<long>::max());
             d.shift(idAt(d, "{PROJECT}/C"), std::numeric_limits<long>::min());
             d.shift(idAt(d, "{PROJECT}/FOOTAGE"), 3);
             d.shift(idAt(d, "{PROJECT}/A/IN"), 1);
         },
         {P, "  C", "  A", "    IN", "  B", "  FOOTAGE [card]"}},
        {"unknown ids and marks on unknown folders change nothing", simple,
         [](auto& d) {
             const UUID stranger = UUID::random();
             d.rename(stranger, "X");
             d.remove(stranger);
             d.move(stranger, std::nullopt);
             d.shift(stranger, 1);
             d.setCardFolderID(stranger);
             d.setSoundFolderID(stranger);
         },
         {P, "  FOOTAGE [card]", "  SOUND [sound]"}},
        {"sound into the card folder, then back with the cards", simple,
         [](auto& d) {
             d.setSoundFolderID(d.cardFolderID());
             EXPECT_EQ(d.folderTemplate().soundPattern, std::nullopt);
             d.setSoundFolderID(idAt(d, "{PROJECT}/SOUND"));
             d.setSoundFolderID(std::nullopt);
         },
         {P, "  FOOTAGE [card]", "  SOUND"}, cardOnly("{PROJECT}/FOOTAGE/{ROLL}", {{0, "SOUND"}})},
        {"names are cut of blanks and tabs and lose their slashes, kept raw in the tree", abc,
         [](auto& d) {
             d.rename(idAt(d, "{PROJECT}/A"), " \ta/b\t ");
             d.rename(idAt(d, "{PROJECT}/FOOTAGE"), "\tRUSHES/CAM ");
         },
         {P, "  \tRUSHES/CAM  [card]", "   \ta/b\t ", "    IN", "  B", "  C"},
         cardOnly("{PROJECT}/RUSHES-CAM/{ROLL}", {{0, "a-b"}, {0, "a-b/IN"}, {0, "B"}, {0, "C"}})},
        {"an empty or blank name drops that folder and its subfolders from the template", abc,
         [](auto& d) {
             d.rename(idAt(d, "{PROJECT}/A"), " \t ");
             d.rename(idAt(d, "{PROJECT}/B"), "");
         },
         {P, "  FOOTAGE [card]", "   \t ", "    IN", "  ", "  C"}, cardOnly("{PROJECT}/FOOTAGE/{ROLL}", {{0, "C"}})},
        {"an unnamed card-chain folder is left out, and what hangs below it stays in place",
         cardOnly("{PROJECT}/SHOOT/FOOTAGE/{ROLL}", {{1, "LUTS"}, {0, "ART"}}),
         [](auto& d) { d.rename(idAt(d, "{PROJECT}/SHOOT"), ""); },
         {P, "  ", "    FOOTAGE [card]", "    LUTS", "  ART"},
         cardOnly("{PROJECT}/FOOTAGE/{ROLL}", {{0, "LUTS"}, {0, "ART"}})},
        {"a sound folder whose folders have no name sends sound with the cards",
         {"{PROJECT}/FOOTAGE/{ROLL}", {}, "SOUND/{ROLL}"}, [](auto& d) { d.rename(idAt(d, "SOUND"), " "); },
         {P, "  FOOTAGE [card]", "  [sound]"}, cardOnly("{PROJECT}/FOOTAGE/{ROLL}")},
        {"an unnamed folder in the sound path is left out of it", simple,
         [](auto& d) { d.rename(idAt(d, "{PROJECT}/SOUND"), ""); }, {P, "  FOOTAGE [card]", "   [sound]"},
         FolderTemplate{"{PROJECT}/FOOTAGE/{ROLL}", {}, "{PROJECT}/{ROLL}"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FolderTreeDraft draft(c.start);
        c.edit(draft);
        EXPECT_EQ(outline(draft), c.tree);
        if (c.readBack) {
            EXPECT_EQ(draft.folderTemplate(), *c.readBack);
        }
    }
}

TEST(FolderTreeDraft, AddedFoldersGoLastUnderTheirParentAndLookupsAnswerForTheTree) {
    FolderTreeDraft draft(TemplatePreset::all()[0].folderTemplate);
    const UUID project = idAt(draft, P);
    const UUID footage = idAt(draft, "{PROJECT}/FOOTAGE");
    const UUID added = draft.add("  raw / text ", project);
    const UUID top = draft.add("", std::nullopt);
    ASSERT_NE(draft.node(added), nullptr);
    EXPECT_EQ(draft.node(added)->pattern, "  raw / text ");
    EXPECT_EQ(outline(draft), (Lines{P, "  FOOTAGE [card]", "  SOUND [sound]", "    raw / text ", ""}));
    EXPECT_EQ(draft.children(std::nullopt).back().id, top);

    const auto chain = draft.chain(footage);
    ASSERT_EQ(chain.size(), 2u);
    EXPECT_EQ(chain[0].id, project);
    EXPECT_EQ(chain[1].id, footage);
    EXPECT_TRUE(draft.chain(std::nullopt).empty());
    EXPECT_TRUE(draft.chain(UUID::random()).empty());

    EXPECT_TRUE(draft.isInside(footage, footage));
    EXPECT_TRUE(draft.isInside(footage, project));
    EXPECT_FALSE(draft.isInside(project, footage));
    EXPECT_FALSE(draft.isInside(UUID::random(), project));
}
