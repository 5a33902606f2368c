// Whatever the user does to the tree, and whatever a hand-edited settings file held, the draft's
// template keeps every folder inside the destination and reads back to the same folders.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <unordered_set>

#include "DraftTesting.h"
#include "Template/TemplatePreset.h"
#include "Views/StructureEditor/FolderTreeDraft.h"
#include "support/HostileNames.h"
#include "support/TempDir.h"

using namespace quillane;
using namespace quillane::testing;
namespace fs = std::filesystem;
using Levels = std::vector<std::string>;
using FolderSet = std::set<std::string>;

namespace {

TemplateContext plainCard() { return {"Zomercampagne", "A001", "A", {}, "yyyy-MM-dd", 3, "SONY", "FX3_CARD"}; }

void addWithParents(FolderSet& set, const Levels& path) {
    std::string joined;
    for (const auto& level : path) {
        joined += "/" + level;
        set.insert(joined);
    }
}

// The card and sound paths and the extra folders that a template makes for one card.
std::vector<Levels> pathsOf(const FolderTemplate& t, const TemplateContext& c) {
    std::vector<Levels> paths{t.resolve(c), t.resolveSound(c)};
    for (auto& extra : t.resolveExtras(c)) paths.push_back(std::move(extra));
    return paths;
}

// Every folder a template makes for one card, parents included.
FolderSet foldersOf(const FolderTemplate& t, const TemplateContext& c) {
    FolderSet set;
    for (const auto& path : pathsOf(t, c)) addWithParents(set, path);
    return set;
}

FolderSet extraFoldersOf(const FolderTemplate& t, const TemplateContext& c) {
    FolderSet set;
    for (const auto& extra : t.resolveExtras(c)) addWithParents(set, extra);
    return set;
}

// Where the tree shows its folders off the card chain: a folder without a name on the card chain
// is no folder (its contents sit in its parent); one off the chain takes its subfolders with it.
FolderSet extraFoldersShown(const FolderTreeDraft& draft, const TemplateContext& c) {
    std::unordered_set<UUID> cardChain;
    for (const auto& n : draft.chain(draft.cardFolderID())) cardChain.insert(n.id);
    FolderSet set;
    for (const auto& entry : draft.flattened()) {
        if (cardChain.contains(entry.node.id)) continue;
        Levels path;
        bool shown = true;
        for (const auto& n : draft.chain(entry.node.id)) {
            const auto name = FolderTreeDraft::cleaned(n.pattern);
            if (!name.empty()) path.push_back(FolderTemplate::resolve(name, c));
            else if (!cardChain.contains(n.id)) shown = false;
        }
        if (shown) addWithParents(set, path);
    }
    return set;
}

void expectSoundTree(const FolderTreeDraft& draft) {
    std::unordered_set<UUID> ids;
    for (const auto& n : draft.nodes()) EXPECT_TRUE(ids.insert(n.id).second) << "a repeated id";
    for (const auto& mark : {draft.cardFolderID(), draft.soundFolderID()})
        if (mark) {
            EXPECT_NE(draft.node(*mark), nullptr) << "a mark on a folder that is gone";
        }
    for (const auto& n : draft.nodes()) {
        std::unordered_set<UUID> seen{n.id};
        for (auto at = n.parentID; at && draft.node(*at); at = draft.node(*at)->parentID)
            if (!seen.insert(*at).second) {
                ADD_FAILURE() << "a folder inside itself";
                break;
            }
    }
}

std::optional<UUID> anyFolder(const FolderTreeDraft& draft, std::mt19937& rng) {
    const auto& nodes = draft.nodes();
    const auto pick = rng() % (nodes.size() + 2);
    if (pick == nodes.size()) return std::nullopt;
    if (pick > nodes.size()) return UUID::random();
    return nodes[pick].id;
}

std::string someName(std::mt19937& rng) {
    const char* plain[] = {"FOOTAGE", "SOUND", "DAY_{DAY}", "{PROJECT}", "{CAM}_CAM", "", " ", "{ROLL}", "A"};
    return rng() % 2 ? plain[rng() % 9] : hostileName(rng);
}

void editAtRandom(FolderTreeDraft& draft, std::mt19937& rng) {
    const auto folder = anyFolder(draft, rng);
    const auto other = anyFolder(draft, rng);
    const UUID id = folder.value_or(UUID::random());
    switch (rng() % 9) {
        case 0: case 1: draft.add(someName(rng), other); break;
        case 2: draft.rename(id, someName(rng)); break;
        case 3: draft.remove(id); break;
        case 4: case 5: draft.move(id, other); break;
        case 6: draft.shift(id, static_cast<long>(rng() % 5) - 2); break;
        case 7: draft.setPerShootDay(!draft.perShootDay()); break;
        default: (rng() % 2 ? draft.setCardFolderID(folder) : draft.setSoundFolderID(folder)); break;
    }
}

}  // namespace

TEST(FolderTreeDraftProperty, RandomEditsKeepFoldersInsideAndReadBackToTheSameFolders) {
    TempDir root("quillane-draft");
    const fs::path base = root / "SSD";
    fs::create_directory(base);
    std::mt19937 rng(20261207);
    const auto plain = plainCard();
    for (int run = 0; run < 150 && !HasFailure(); ++run) {
        FolderTreeDraft draft(hostileTemplate(rng));
        for (int step = 0; step < 20 && !HasFailure(); ++step) {
            editAtRandom(draft, rng);
            SCOPED_TRACE("run " + std::to_string(run) + " step " + std::to_string(step));
            expectSoundTree(draft);

            const FolderTemplate written = draft.folderTemplate();
            for (const auto& path : pathsOf(written, hostileContext(rng))) landsInside(base, path, false);

            EXPECT_EQ(extraFoldersOf(written, plain), extraFoldersShown(draft, plain));
            const FolderTemplate readBack = FolderTreeDraft(written).folderTemplate();
            EXPECT_EQ(foldersOf(readBack, plain), foldersOf(written, plain));
            EXPECT_EQ(FolderTreeDraft(readBack).folderTemplate(), readBack);
        }
    }
    EXPECT_TRUE(fs::is_empty(base));
}

TEST(FolderTreeDraftProperty, HandEditedTemplatesLoadAndStayInsideAfterEdits) {
    struct Case {
        std::string name;
        FolderTemplate stored;
        std::size_t folders;
    };
    std::string deep;
    for (int i = 0; i < 300; ++i) deep += "LEVEL_" + std::to_string(i) + "/";
    const std::string longLevel(300, 'x');
    FolderTemplate thousand{"{PROJECT}/FOOTAGE/{ROLL}", {}, std::nullopt};
    for (int i = 0; i < 1000; ++i) thousand.extraFolders.push_back({i % 5 - 1, "EXTRA_" + std::to_string(i) + "/IN"});
    const Case cases[] = {
        {"three hundred levels deep", {"{PROJECT}/{ROLL}", {{0, deep}}, deep + "{ROLL}"}, 601},
        {"levels of three hundred characters", {longLevel + "/" + longLevel + "/{ROLL}", {{1, longLevel}}, std::nullopt},
         3},
        {"dot levels, separators and NUL",
         {"../../{PROJECT}/./..\\x/{ROLL}", {{-5, "..//../\x01"}, {9, std::string("a\0b/..", 6)}}, "/../{ROLL}"}, 8},
        {"a thousand extra folders", thousand, 2002},
    };
    TempDir root("quillane-draft-bad");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FolderTreeDraft draft(c.stored);
        EXPECT_EQ(draft.flattened().size(), c.folders);
        const auto last = draft.flattened().back().node.id;
        draft.rename(last, "../..");
        draft.move(last, std::nullopt);
        draft.add("..", draft.cardFolderID());
        const auto written = draft.folderTemplate();
        for (const auto& path : pathsOf(written, plainCard())) landsInside(root.path(), path, false);
        const auto readBack = FolderTreeDraft(written).folderTemplate();
        EXPECT_EQ(FolderTreeDraft(readBack).folderTemplate(), readBack);
    }
}
