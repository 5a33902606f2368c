#include <gtest/gtest.h>

#include "Views/Drives/DestinationRules.h"
#include "Views/Main/DestinationStatusLook.h"
#include "Views/Main/FolderTreeLook.h"
#include "support/QtPrinters.h"
#include "support/Scopes.h"

using namespace quillane;
using quillane::testing::LanguageScope;
using Kind = DestinationStatusLine::Kind;

namespace {
constexpr std::int64_t GB = 1'000'000'000;

DestinationStatusFacts plan(std::int64_t required, std::int64_t free) {
    DestinationStatusFacts facts;
    facts.driveID = "ssd-2";
    facts.requiredBytes = required;
    facts.freeBytes = free;
    facts.rollFolderName = "A001";
    facts.transferDriveIDs = {"ssd-1", "ssd-2"};
    return facts;
}

TransferProgress progress(TransferPhase phase, std::optional<std::string> error = std::nullopt) {
    TransferProgress p;
    p.phase = phase;
    p.totalBytes = 10 * GB;
    p.destinations = {{0, "SSD_1", 8 * GB, 2 * GB, std::nullopt}, {1, "SSD_2", 6 * GB, 1 * GB, error}};
    return p;
}

TransferResult result(bool verified, DestinationResult second, std::optional<std::string> sourceError = {}) {
    TransferResult r;
    r.verified = verified;
    r.sourceError = std::move(sourceError);
    DestinationResult first;
    first.rollURL = "/media/SSD_1/P/A001";
    second.rollURL = "/media/SSD_2/P/A001";
    r.destinations = {first, second};
    return r;
}
}  // namespace

TEST(DestinationStatus, SpaceLineAtTheMarginOnBothSides) {
    struct Case {
        AppLanguage language;
        std::int64_t required, free;
        bool rollHasContent;
        Kind kind;
        Tone tone;
        const char* text;
    };
    const std::vector<Case> cases = {
        {AppLanguage::en, 0, 100 * GB, false, Kind::nothing, Tone::secondary, ""},
        {AppLanguage::en, GB, GB + spaceMargin, false, Kind::space, Tone::danger,
         "Not enough space: 1 GB needed, 1.07 GB free"},
        {AppLanguage::en, GB, GB + spaceMargin + 1, false, Kind::space, Tone::secondary,
         "1 GB needed · 67.1 MB stays free"},
        {AppLanguage::nl, GB, GB + spaceMargin + 1, true, Kind::space, Tone::secondary,
         "1 GB nodig · 67.1 MB blijft vrij"},
        {AppLanguage::nl, 3 * GB, GB, false, Kind::space, Tone::danger, "Te weinig ruimte: 3 GB nodig, 1 GB vrij"},
        {AppLanguage::en, std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::max(), false,
         Kind::space, Tone::danger, nullptr},
    };
    for (const Case& c : cases) {
        LanguageScope language(c.language);
        auto facts = plan(c.required, c.free);
        facts.rollHasContent = c.rollHasContent;
        const DestinationStatusLine line = destinationStatusLine(facts);
        EXPECT_EQ(line.kind, c.kind) << c.required;
        if (c.kind != Kind::space) continue;
        EXPECT_EQ(line.textTone, c.tone) << c.required;
        EXPECT_EQ(line.dotTone, c.tone == Tone::danger ? Tone::danger : Tone::accent);
        if (c.text) {
            EXPECT_EQ(line.text.toStdString(), c.text);
        }
        EXPECT_EQ(line.contentWarning.has_value(), c.rollHasContent);
    }
    LanguageScope english(AppLanguage::en);
    auto full = plan(GB, 100 * GB);
    full.rollHasContent = true;
    EXPECT_EQ(*destinationStatusLine(full).contentWarning, "· A001 already contains files");
}

TEST(DestinationStatus, LiveAndFrozenProgress) {
    struct Case {
        const char* name;
        TransferState state;
        TransferProgress progress;
        bool verifies;
        AppLanguage language;
        const char* text;
        Tone tone;
        double used;
    };
    const std::vector<Case> cases = {
        {"copying", TransferState::running, progress(TransferPhase::copying), true, AppLanguage::en, "Copying…",
         Tone::secondary, 0.6},
        {"verifying counts verified bytes", TransferState::running, progress(TransferPhase::verifying), true,
         AppLanguage::nl, "Verifiëren…", Tone::secondary, 0.1},
        {"finishing reads as verifying", TransferState::running, progress(TransferPhase::finishing), true,
         AppLanguage::en, "Verifying…", Tone::secondary, 0.1},
        // Without verification the engine passes the same phases but reads nothing back: still
        // copying, with the bar as full as the copy.
        {"no verification: the read-back phase", TransferState::running, progress(TransferPhase::verifying), false,
         AppLanguage::en, "Copying…", Tone::secondary, 0.6},
        {"no verification: finishing", TransferState::running, progress(TransferPhase::finishing), false,
         AppLanguage::nl, "Kopiëren…", Tone::secondary, 0.6},
        {"an error on this SSD", TransferState::running, progress(TransferPhase::copying, "Drive removed"), true,
         AppLanguage::en, "Drive removed", Tone::danger, 0.6},
        {"paused keeps the bar", TransferState::paused, progress(TransferPhase::copying), true, AppLanguage::en,
         "Paused", Tone::warning, 0.6},
        {"stopped keeps the bar", TransferState::cancelled, progress(TransferPhase::copying), true, AppLanguage::nl,
         "Gestopt", Tone::warning, 0.6},
    };
    for (const Case& c : cases) {
        LanguageScope language(c.language);
        auto facts = plan(5 * GB, 100 * GB);
        facts.state = c.state;
        facts.progress = &c.progress;
        facts.verifies = c.verifies;
        const DestinationStatusLine line = destinationStatusLine(facts);
        EXPECT_EQ(line.kind, Kind::progress) << c.name;
        EXPECT_EQ(line.text, c.text) << c.name;
        EXPECT_EQ(line.textTone, c.tone) << c.name;
        EXPECT_DOUBLE_EQ(line.used, c.used) << c.name;
    }
}

TEST(DestinationStatus, ProgressNeedsTheSSDAmongTheTransfersDestinations) {
    const TransferProgress p = progress(TransferPhase::copying);
    auto connectedDuring = plan(5 * GB, 100 * GB);
    connectedDuring.state = TransferState::running;
    connectedDuring.progress = &p;
    connectedDuring.driveID = "ssd-3";
    EXPECT_EQ(destinationStatusLine(connectedDuring).kind, Kind::space);
    auto beyondTheSnapshot = connectedDuring;
    beyondTheSnapshot.driveID = "ssd-9";
    beyondTheSnapshot.transferDriveIDs = {"ssd-1", "ssd-2", "ssd-9"};
    EXPECT_EQ(destinationStatusLine(beyondTheSnapshot).kind, Kind::space);
    TransferProgress empty;
    auto zeroTotal = connectedDuring;
    zeroTotal.driveID = "ssd-1";
    empty.destinations = {{0, "SSD_1", 0, 0, std::nullopt}};
    zeroTotal.progress = &empty;
    EXPECT_EQ(destinationStatusLine(zeroTotal).used, 0.0);
}

TEST(DestinationStatus, ResultOnlyAfterARunThatEnded) {
    DestinationResult verifiedWithMHL;
    verifiedWithMHL.mhlURL = "/media/SSD_2/P/A001/ascmhl/0001.mhl";
    DestinationResult failedFiles;
    failedFiles.failedFiles = {"a", "b", "c"};
    DestinationResult oneFailed;
    oneFailed.failedFiles = {"a"};
    DestinationResult errored;
    errored.error = "Write failed: no space left";
    struct Case {
        const char* name;
        TransferState state;
        TransferResult result;
        AppLanguage language;
        Kind kind;
        bool good;
        const char* text;
    };
    const std::vector<Case> cases = {
        {"verified with MHL", TransferState::succeeded, result(true, verifiedWithMHL), AppLanguage::en, Kind::result,
         true, "Verified · MHL"},
        {"copied only", TransferState::succeeded, result(false, {}), AppLanguage::nl, Kind::result, true,
         "Gekopieerd"},
        {"one file failing", TransferState::failed, result(true, oneFailed), AppLanguage::en, Kind::result,
         false, "1 file doesn't match"},
        {"three files failing, Dutch", TransferState::failed, result(true, failedFiles), AppLanguage::nl,
         Kind::result, false, "3 bestanden kloppen niet"},
        {"an error on this SSD", TransferState::failed, result(true, errored), AppLanguage::en, Kind::result, false,
         "Write failed: no space left"},
        {"the card failed", TransferState::failed, result(true, {}, "The card was removed"), AppLanguage::en,
         Kind::result, false, "Incomplete: The card was removed"},
        {"idle never shows a result", TransferState::idle, result(true, {}), AppLanguage::en, Kind::space, false,
         nullptr},
        {"paused without a snapshot is no result", TransferState::paused, result(true, {}), AppLanguage::en,
         Kind::space, false, nullptr},
    };
    for (const Case& c : cases) {
        LanguageScope language(c.language);
        auto facts = plan(5 * GB, 100 * GB);
        facts.state = c.state;
        facts.lastResult = &c.result;
        const DestinationStatusLine line = destinationStatusLine(facts);
        EXPECT_EQ(line.kind, c.kind) << c.name;
        if (c.kind != Kind::result) continue;
        EXPECT_EQ(line.good, c.good) << c.name;
        EXPECT_EQ(line.textTone, c.good ? Tone::text : Tone::danger) << c.name;
        EXPECT_EQ(line.text, c.text) << c.name;
        EXPECT_EQ(line.folder, "/media/SSD_2/P/A001") << c.name;
    }
}

TEST(CreateFoldersButton, LabelBadgeAndEnabled) {
    struct Case {
        AppLanguage language;
        std::size_t missing;
        bool running, project;
        const char* text;
        std::optional<QString> badge;
        bool enabled;
    };
    const std::vector<Case> cases = {
        {AppLanguage::en, 0, false, true, "Folders ready", std::nullopt, false},
        {AppLanguage::nl, 0, false, true, "Mappen staan klaar", std::nullopt, false},
        {AppLanguage::en, 4, false, true, "Create folders", "4", true},
        {AppLanguage::nl, 4, true, true, "Mappen aanmaken", "4", false},
        {AppLanguage::en, 4, false, false, "Create folders", "4", false},
    };
    for (const Case& c : cases) {
        LanguageScope language(c.language);
        const CreateFoldersLabel label = createFoldersLabel(c.missing, c.running, c.project);
        EXPECT_EQ(label.ready, c.missing == 0);
        EXPECT_EQ(label.text, c.text);
        EXPECT_EQ(label.badge, c.badge);
        EXPECT_EQ(label.enabled, c.enabled);
    }
}

TEST(FolderTree, BaseLineOnlyBelowTheVolumeRoot) {
    struct Case {
        const char* base;
        const char* volume;
        std::optional<QString> line;
    };
    const std::vector<Case> cases = {
        {"/media/SSD1", "/media/SSD1", std::nullopt},
        {"/media/SSD1/", "/media/SSD1", std::nullopt},
        {"/media/SSD1/./Work/..", "/media/SSD1", std::nullopt},
        {"/media/SSD1/Work/Clients", "/media/SSD1", "in /Work/Clients"},
        {"/media/SSD1/Work", "/media/SSD1/", "in /Work"},
        {"/media/SSD10/Work", "/media/SSD1", "in /media/SSD10/Work"},
        {"/m", "/media/SSD1", "in /m"},
        {"/Work", "/", "in /Work"},
    };
    for (const Case& c : cases) EXPECT_EQ(folderTreeBaseLine(c.base, c.volume), c.line) << c.base;
}

TEST(FolderTree, RowLooks) {
    struct Case {
        bool exists, target;
        std::string symbol;
        Tone icon, name;
    };
    const std::vector<Case> cases = {
        {true, false, "folder.fill", Tone::secondary, Tone::text},
        {false, false, "folder.badge.plus", Tone::accent, Tone::secondary},
        {false, true, "folder.badge.plus", Tone::accent, Tone::text},
        {true, true, "folder.fill", Tone::secondary, Tone::text},
    };
    for (const Case& c : cases) {
        const PlannedFolderLook look = plannedFolderLook(c.exists, c.target);
        EXPECT_EQ(look.symbol, c.symbol);
        EXPECT_EQ(look.iconTone, c.icon);
        EXPECT_EQ(look.nameTone, c.name);
        EXPECT_EQ(look.bold, c.target);
        EXPECT_EQ(look.targetMark, c.target);
        EXPECT_EQ(look.newBadge, !c.exists);
    }
}

TEST(FolderTree, ExtraFoldersSingularAndPlural) {
    struct Case {
        AppLanguage language;
        int count;
        std::optional<QString> line;
    };
    const std::vector<Case> cases = {
        {AppLanguage::en, 0, std::nullopt},
        {AppLanguage::en, 1, "+ 1 extra folder from your settings"},
        {AppLanguage::en, 3, "+ 3 extra folders from your settings"},
        {AppLanguage::nl, 1, "+ 1 extra map uit je instellingen"},
        {AppLanguage::nl, 2, "+ 2 extra mappen uit je instellingen"},
    };
    for (const Case& c : cases) {
        LanguageScope language(c.language);
        EXPECT_EQ(extraFoldersLine(c.count), c.line) << c.count;
    }
}

TEST(DestinationColumn, CountAndIncludeTooltip) {
    LanguageScope language(AppLanguage::nl);
    EXPECT_EQ(destinationColumnLook(0, 0).countText, "");
    EXPECT_TRUE(destinationColumnLook(0, 0).empty);
    EXPECT_EQ(destinationColumnLook(2, 1).countText, "1");
    EXPECT_EQ(destinationColumnLook(3, 0).countText, "0");
    EXPECT_EQ(includeSwitchTooltip(false), "Overgeslagen");
    EXPECT_EQ(includeSwitchTooltip(true), "Deze SSD krijgt een kopie");
}
