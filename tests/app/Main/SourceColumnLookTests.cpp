#include <gtest/gtest.h>

#include "Views/Main/SourceColumnLook.h"
#include "Views/Main/SourceContentsLook.h"
#include "support/QtPrinters.h"
#include "support/Scopes.h"

using namespace quillane;
using quillane::testing::LanguageScope;

namespace {
SourceColumnFacts facts() {
    SourceColumnFacts f;
    f.sourceIDs = {"fx6", "arri", "zoom"};
    f.rollName = "A004";
    return f;
}
}  // namespace

TEST(SourceBadge, FirstRuleThatAppliesWins) {
    struct Case {
        const char* name;
        SourceColumnFacts facts;
        SourceCardFacts card;
        AppLanguage language;
        std::optional<Tag> badge;
    };
    auto running = facts();
    running.runningSourceID = "fx6";
    running.queueSourceIDs = {"fx6"};
    auto queued = facts();
    queued.queueSourceIDs = {"arri", "zoom", "fx6"};
    auto companion = facts();
    companion.soundCompanionNames = {"ZOOM_F8"};
    auto companionSelected = companion;
    companionSelected.selectedSourceID = "zoom";
    auto queuedSound = companion;
    queuedSound.queueSourceIDs = {"zoom"};
    const std::vector<Case> cases = {
        {"running beats queue", running, {"fx6", "FX6_CARD", false}, AppLanguage::en, Tag{"running", Tone::accent}},
        {"queue position 1", queued, {"arri", "ARRI", false}, AppLanguage::en, Tag{"queue 1", Tone::warning}},
        {"queue position 3", queued, {"fx6", "FX6", false}, AppLanguage::nl, Tag{"wachtrij 3", Tone::warning}},
        {"sound card going along", companion, {"zoom", "ZOOM_F8", true}, AppLanguage::en,
         Tag{"goes along", Tone::sound}},
        {"selected sound card loses the tag", companionSelected, {"zoom", "ZOOM_F8", true}, AppLanguage::en,
         std::nullopt},
        {"a camera card named like a companion", companion, {"fx6", "ZOOM_F8", false}, AppLanguage::en,
         std::nullopt},
        {"queued sound card shows the queue", queuedSound, {"zoom", "ZOOM_F8", true}, AppLanguage::en,
         Tag{"queue 1", Tone::warning}},
        {"nothing applies", facts(), {"fx6", "FX6", false}, AppLanguage::en, std::nullopt},
    };
    for (const Case& c : cases) {
        LanguageScope language(c.language);
        EXPECT_EQ(sourceBadge(c.facts, c.card), c.badge) << c.name;
    }
}

TEST(SourceColumnLook, ContentsAndQueueButtonFollowTheSelectedCard) {
    struct Case {
        const char* name;
        SourceColumnFacts facts;
        bool contents, enqueue, enqueueEnabled, queue;
    };
    auto selected = facts();
    selected.selectedSourceID = "arri";
    auto runningOther = selected;
    runningOther.running = true;
    runningOther.runningSourceID = "fx6";
    runningOther.canEnqueue = true;
    runningOther.queueSourceIDs = {"zoom"};
    auto cannotEnqueue = runningOther;
    cannotEnqueue.canEnqueue = false;
    auto runningSelected = runningOther;
    runningSelected.runningSourceID = "arri";
    auto queuedSelected = runningOther;
    queuedSelected.queueSourceIDs = {"zoom", "arri"};
    auto gone = facts();
    gone.selectedSourceID = "pulled";
    const std::vector<Case> cases = {
        {"nothing selected", facts(), false, false, false, false},
        {"selected, idle", selected, true, false, false, false},
        {"selected while another runs", runningOther, true, true, true, true},
        {"cannot enqueue: drawn disabled", cannotEnqueue, true, true, false, true},
        {"the running card", runningSelected, false, false, false, true},
        {"a queued card", queuedSelected, false, false, false, true},
        {"selected id no longer a source", gone, false, false, false, false},
    };
    for (const Case& c : cases) {
        const SourceColumnLook state = sourceColumnLook(c.facts);
        EXPECT_EQ(state.showContents, c.contents) << c.name;
        EXPECT_EQ(state.showEnqueue, c.enqueue) << c.name;
        EXPECT_EQ(state.enqueueEnabled, c.enqueueEnabled) << c.name;
        EXPECT_EQ(state.showQueue, c.queue) << c.name;
    }
    EXPECT_FALSE(sourceColumnLook(gone).selectedID);
}

TEST(SourceColumnLook, CountAndQueueLabelInBothLanguages) {
    struct Case {
        AppLanguage language;
        std::vector<std::string> sources;
        const char* count;
        const char* label;
    };
    const std::vector<Case> cases = {
        {AppLanguage::en, {"a", "b", "c"}, "3", "Add to queue · becomes A004"},
        {AppLanguage::nl, {"a"}, "1", "In wachtrij zetten · wordt A004"},
        {AppLanguage::en, {}, "", "Add to queue · becomes A004"},
    };
    for (const Case& c : cases) {
        LanguageScope language(c.language);
        auto f = facts();
        f.sourceIDs = c.sources;
        const SourceColumnLook state = sourceColumnLook(f);
        EXPECT_EQ(state.countText, c.count);
        EXPECT_EQ(state.empty, c.sources.empty());
        EXPECT_EQ(state.enqueueLabel, c.label);
    }
}

TEST(SourceContents, ChoiceTitles) {
    struct Case {
        bool subfolder;
        std::optional<std::filesystem::path> root;
        bool running;
        const char* folderTitle;
    };
    const std::vector<Case> cases = {
        {false, std::nullopt, false, "Choose folder…"},
        {false, std::filesystem::path("/media/card"), false, "Choose folder…"},
        {true, std::filesystem::path("/media/card/DCIM/100MSDCF"), false, "100MSDCF"},
        {true, std::filesystem::path("/media/card/CLIPS/"), true, "CLIPS"},
        {true, std::nullopt, false, "Folder"},
    };
    LanguageScope english(AppLanguage::en);
    for (const Case& c : cases) {
        const SourceChoices choices = sourceChoices(c.subfolder, c.root, c.running);
        EXPECT_EQ(choices.rootTitle, "Root folder");
        EXPECT_EQ(choices.rootSelected, !c.subfolder);
        EXPECT_EQ(choices.folderTitle, c.folderTitle);
        EXPECT_EQ(choices.enabled, !c.running);
    }
}

TEST(SourceContents, ScanLineByState) {
    using Phase = ScanFacts::Phase;
    using Kind = ScanLine::Kind;
    struct Case {
        ScanFacts facts;
        ScanLine line;
    };
    const std::vector<Case> cases = {
        {{Phase::idle, "", std::nullopt, 0}, {Kind::spinner, "Scanning…", Tone::tertiary}},
        {{Phase::scanning, "", std::nullopt, 0}, {Kind::spinner, "Scanning…", Tone::tertiary}},
        {{Phase::failed, "The card can't be read", std::nullopt, 0},
         {Kind::failed, "The card can't be read", Tone::warning}},
        {{Phase::ready, "", 2'500'000'000, 12}, {Kind::summary, "2.5 GB · 12 files", Tone::tertiary}},
        {{Phase::ready, "", 1'230'000'000, 1}, {Kind::summary, "1.23 GB · 1 file", Tone::tertiary}},
        {{Phase::ready, "", std::nullopt, 0}, {}},
    };
    LanguageScope english(AppLanguage::en);
    for (const Case& c : cases) EXPECT_EQ(scanLine(c.facts), c.line) << c.line.text.toStdString();
}

TEST(SourceContents, SoundAndAlreadyTransferredLines) {
    quillane::testing::TimeZoneScope zone("UTC");
    const auto finished = std::chrono::system_clock::from_time_t(1796652720);  // 2026-12-07 14:12 UTC
    struct Case {
        AppLanguage language;
        const char* sound;
        const char* previous;
    };
    const std::vector<Case> cases = {
        {AppLanguage::en, "ZOOM_F8 goes along automatically as S002", "Already transferred as A003 · 7 Dec 2026, 14:12"},
        {AppLanguage::nl, "ZOOM_F8 gaat automatisch mee als S002", "Al overgezet als A003 · 7 dec 2026 14:12"},
    };
    for (const Case& c : cases) {
        LanguageScope language(c.language);
        EXPECT_EQ(soundCompanionLine("ZOOM_F8", "S002"), c.sound);
        EXPECT_EQ(previousTransferLine("A003", finished), c.previous);
    }
}

TEST(QueueList, RowsAreNumberedInQueueOrder) {
    std::vector<QueueFacts> queue = {{"q1", "FX6_CARD", "A004", 1'000'000'000},
                                     {"q2", "ARRI_CARD", "B002", 2'000'000'000},
                                     {"q3", "ZOOM_F8", "S002", 5'000'000}};
    auto rows = queueRows(queue);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2].number, "3");
    EXPECT_EQ(rows[1].size, "2 GB");
    queue.erase(queue.begin() + 1);
    rows = queueRows(queue);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].id, "q3");
    EXPECT_EQ(rows[1].number, "2");
}
