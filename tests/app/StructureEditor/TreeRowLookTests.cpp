#include <gtest/gtest.h>

#include <functional>

#include "DraftTesting.h"
#include "Views/StructureEditor/TreeRowLook.h"

using namespace quillane;
using quillane::testing::idAt;
using quillane::testing::outline;

namespace {

// A row as "kind depth name", the folder named by its pattern.
std::vector<std::string> describe(const FolderTreeDraft& draft) {
    std::vector<std::string> lines;
    for (const auto& row : treeRows(draft)) {
        std::string line;
        switch (row.kind) {
            case TreeRowLook::Kind::drive: line = "drive"; break;
            case TreeRowLook::Kind::folder: line = "folder " + draft.node(*row.folderID)->pattern; break;
            case TreeRowLook::Kind::roll: line = "roll"; break;
            case TreeRowLook::Kind::sound: line = "sound"; break;
        }
        lines.push_back(line + " @" + std::to_string(row.leadingInset()) + " h" + std::to_string(row.height()));
    }
    return lines;
}

}  // namespace

TEST(TreeRowLook, RollAndSoundRowsStandWhereTheirFoldersAre) {
    struct Case {
        std::string name;
        FolderTemplate stored;
        std::function<void(FolderTreeDraft&)> edit;
        std::vector<std::string> rows;
    };
    const auto none = [](FolderTreeDraft&) {};
    const Case cases[] = {
        {"empty: the rolls go on the drive, no sound row", {"{ROLL}", {}, std::nullopt}, none,
         {"drive @10 h38", "roll @32 h34"}},
        {"no card folder but a sound folder", {"{ROLL}", {}, "SOUND/{ROLL}"}, none,
         {"drive @10 h38", "roll @32 h34", "folder SOUND @32 h38", "sound @54 h30"}},
        {"card folder at the top, no sound folder", {"FOOTAGE/{ROLL}", {{-1, "GRADE"}}, std::nullopt}, none,
         {"drive @10 h38", "folder FOOTAGE @32 h38", "roll @54 h34", "sound @54 h30", "folder GRADE @32 h38"}},
        {"a sound folder of its own", {"{PROJECT}/FOOTAGE/{ROLL}", {}, "{PROJECT}/SOUND/{ROLL}"}, none,
         {"drive @10 h38", "folder {PROJECT} @32 h38", "folder FOOTAGE @54 h38", "roll @76 h34",
          "folder SOUND @54 h38", "sound @76 h30"}},
        {"sound with the cards in the card folder", {"{PROJECT}/FOOTAGE/{ROLL}", {}, "{PROJECT}/SOUND/{ROLL}"},
         [](auto& d) { d.setSoundFolderID(d.cardFolderID()); },
         {"drive @10 h38", "folder {PROJECT} @32 h38", "folder FOOTAGE @54 h38", "roll @76 h34", "sound @76 h30",
          "folder SOUND @54 h38"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FolderTreeDraft draft(c.stored);
        c.edit(draft);
        EXPECT_EQ(describe(draft), c.rows);
    }
    // Folder rows are keyed by their folder, so a row outlives edits and moves.
    FolderTreeDraft draft(FolderTemplate{"{PROJECT}/FOOTAGE/{ROLL}", {}, std::nullopt});
    const auto footage = idAt(draft, "{PROJECT}/FOOTAGE");
    draft.move(footage, std::nullopt);
    EXPECT_EQ(treeRows(draft).back().key, "sound");
    EXPECT_EQ(treeRows(draft)[2].key, footage.text());
}

TEST(TreeRowLook, DropsMoveTheNamedFolderOrAreRefused) {
    struct Case {
        std::string name;
        std::function<std::vector<std::string>(const FolderTreeDraft&)> texts;
        std::string target;  // a path, "" for the drive
        bool accepted;
        std::vector<std::string> tree;
    };
    const auto id = [](std::string path) {
        return [path](const FolderTreeDraft& d) { return std::vector<std::string>{idAt(d, path).text()}; };
    };
    const std::vector<std::string> untouched{"{PROJECT}", "  FOOTAGE [card]", "  A", "    IN", "  B"};
    const Case cases[] = {
        {"onto the drive: last top-level folder", id("{PROJECT}/A"), "", true,
         {"{PROJECT}", "  FOOTAGE [card]", "  B", "A", "  IN"}},
        {"onto its own parent: last among its siblings", id("{PROJECT}/A"), "{PROJECT}", true,
         {"{PROJECT}", "  FOOTAGE [card]", "  B", "  A", "    IN"}},
        {"onto another folder, only the first text counts",
         [](const FolderTreeDraft& d) {
             return std::vector<std::string>{idAt(d, "{PROJECT}/B").text(), idAt(d, "{PROJECT}/A").text()};
         },
         "{PROJECT}/A/IN", true, {"{PROJECT}", "  FOOTAGE [card]", "  A", "    IN", "      B"}},
        {"ids in lower case are ids too",
         [](const FolderTreeDraft& d) {
             auto text = idAt(d, "{PROJECT}/B").text();
             for (auto& ch : text) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
             return std::vector<std::string>{text};
         },
         "", true, {"{PROJECT}", "  FOOTAGE [card]", "  A", "    IN", "B"}},
        {"onto itself: taken, nothing moves", id("{PROJECT}/A"), "{PROJECT}/A", true, untouched},
        {"into its own subfolder: taken, nothing moves", id("{PROJECT}/A"), "{PROJECT}/A/IN", true, untouched},
        {"an id of no folder here: taken, nothing moves",
         [](const FolderTreeDraft&) { return std::vector<std::string>{UUID::random().text()}; }, "", true, untouched},
        {"nothing dropped", [](const FolderTreeDraft&) { return std::vector<std::string>{}; }, "", false, untouched},
        {"text that is no id",
         [](const FolderTreeDraft&) { return std::vector<std::string>{"{PROJECT}/A", "x"}; }, "", false, untouched},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FolderTreeDraft draft(FolderTemplate{"{PROJECT}/FOOTAGE/{ROLL}", {{0, "A/IN"}, {0, "B"}}, std::nullopt});
        const auto target = c.target.empty() ? std::nullopt : std::optional(idAt(draft, c.target));
        EXPECT_EQ(dropFolder(draft, c.texts(draft), target), c.accepted);
        EXPECT_EQ(outline(draft), c.tree);
    }
}

TEST(TreeRowLook, TheLastEnteredTargetStaysMarked) {
    struct Case {
        std::string name;
        std::vector<std::pair<char, std::string>> events;  // 'e'nter / 'l'eave a key
        std::optional<std::string> marked;
    };
    const Case cases[] = {
        {"enter and leave", {{'e', "A"}, {'l', "A"}}, std::nullopt},
        {"entering B before A's leave keeps B", {{'e', "A"}, {'e', "B"}, {'l', "A"}}, "B"},
        {"then leaving B clears it", {{'e', "A"}, {'e', "B"}, {'l', "A"}, {'l', "B"}}, std::nullopt},
        {"the drive row", {{'e', "ssd"}}, "ssd"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DropMark mark;
        for (const auto& [kind, key] : c.events) kind == 'e' ? mark.enter(key) : mark.leave(key);
        EXPECT_EQ(mark.key(), c.marked);
    }
}
