#include <gtest/gtest.h>

#include "support/Scopes.h"
#include "Views/TransferColumn/DestinationBarLook.h"

using namespace quillane;
using quillane::testing::LanguageScope;
using S = TransferState;

namespace {

DestinationProgress destination(const char* name, std::int64_t copied, std::int64_t verified,
                                std::optional<std::string> error = {}) {
    DestinationProgress entry;
    entry.name = name;
    entry.copiedBytes = copied;
    entry.verifiedBytes = verified;
    entry.error = std::move(error);
    return entry;
}

TransferProgress snapshot(TransferPhase phase, std::int64_t total, std::vector<DestinationProgress> destinations) {
    TransferProgress progress;
    progress.phase = phase;
    progress.totalBytes = total;
    progress.destinations = std::move(destinations);
    return progress;
}

DestinationBarsInput transfer(S state, const TransferProgress* progress, bool verifies = true) {
    DestinationBarsInput input;
    input.state = state;
    input.progress = progress;
    input.transferVerifies = verifies;
    input.transferDriveIDs = {"uuid-a", "uuid-b"};
    input.transferRollURLs = {"/media/A/Film/A001", "/media/B/Film/A001"};
    input.connectedDrives = {{"uuid-a", "SSD A"}, {"uuid-card", "A_CAM"}};
    return input;
}

struct Expected {
    std::string status;
    double fraction;
    Tone tone;
    Tone statusTone;
};

void expectRows(const std::vector<DestinationBarLook>& rows, const std::vector<Expected>& expected, const char* name) {
    ASSERT_EQ(rows.size(), expected.size()) << name;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].status, expected[i].status) << name << " row " << i;
        EXPECT_NEAR(rows[i].fraction, expected[i].fraction, 1e-9) << name << " row " << i;
        EXPECT_EQ(rows[i].tone, expected[i].tone) << name << " row " << i;
        EXPECT_EQ(rows[i].statusTone, expected[i].statusTone) << name << " row " << i;
    }
}

constexpr auto accent = Tone::accent;
constexpr auto secondary = Tone::secondary;
constexpr auto warning = Tone::warning;
constexpr auto danger = Tone::danger;

}  // namespace

TEST(DestinationBars, ProgressRowsWhileRunningPausedOrStopped) {
    const auto copying = snapshot(TransferPhase::copying, 1000, {destination("SSD A", 500, 0), destination("SSD B", 250, 0)});
    const auto verifying = snapshot(TransferPhase::verifying, 1000, {destination("SSD A", 1000, 300),
                                                                     destination("SSD B", 400, 0, "Disk <i>full</i>")});
    const auto finishing = snapshot(TransferPhase::finishing, 1000, {destination("SSD A", 1000, 0), destination("SSD B", 1000, 0)});
    const auto empty = snapshot(TransferPhase::copying, 0, {destination("SSD A", 0, 0), destination("SSD B", 0, 0)});
    const auto oneDestination = snapshot(TransferPhase::copying, 1000, {destination("SSD A", 999, 0)});
    struct Case {
        const char* name;
        DestinationBarsInput input;
        AppLanguage language;
        std::vector<Expected> rows;
    };
    const Case cases[] = {
        {"before a snapshot", transfer(S::running, nullptr), AppLanguage::en, {}},
        {"copying, bar counts copy and read-back", transfer(S::running, &copying), AppLanguage::en,
         {{"Copying 50%", 0.25, accent, secondary}, {"Copying 25%", 0.125, accent, secondary}}},
        {"percent restarts at read-back", transfer(S::running, &verifying), AppLanguage::nl,
         {{"Verifiëren 30%", 0.65, accent, secondary}, {"Disk <i>full</i>", 0.2, danger, danger}}},
        {"without read-back it only copies", transfer(S::running, &finishing, false), AppLanguage::en,
         {{"Copying 100%", 1, accent, secondary}, {"Copying 100%", 1, accent, secondary}}},
        {"zero total stays finite", transfer(S::running, &empty), AppLanguage::en,
         {{"Copying 0%", 0, accent, secondary}, {"Copying 0%", 0, accent, secondary}}},
        {"paused", transfer(S::paused, &copying), AppLanguage::nl,
         {{"Gepauzeerd", 0.25, warning, warning}, {"Gepauzeerd", 0.125, warning, warning}}},
        {"stopped keeps its error rows", transfer(S::cancelled, &verifying), AppLanguage::en,
         {{"Stopped", 0.65, warning, warning}, {"Disk <i>full</i>", 0.2, danger, danger}}},
        {"more drives than the snapshot knows", transfer(S::running, &oneDestination), AppLanguage::en,
         {{"Copying 99%", 0.4995, accent, secondary}}},
    };
    for (const Case& c : cases) {
        LanguageScope language(c.language);
        const auto rows = destinationBarRows(c.input);
        expectRows(rows, c.rows, c.name);
        if (rows.empty()) continue;
        EXPECT_EQ(rows[0].id, "uuid-a") << c.name;
        EXPECT_EQ(rows[0].name, "SSD A") << c.name;
        EXPECT_TRUE(rows[0].showsIcon) << c.name;
        EXPECT_EQ(rows[0].folder, std::filesystem::path("/media/A/Film/A001")) << c.name;
        if (rows.size() > 1) {
            EXPECT_FALSE(rows[1].showsIcon) << c.name << ": a removed drive keeps its row without icon";
        }
    }
}

TEST(DestinationBars, ResultRowsAfterARun) {
    auto result = [](std::vector<DestinationResult> destinations, bool verified = true,
                     std::optional<std::string> sourceError = {}) {
        TransferResult r;
        r.verified = verified;
        r.sourceError = std::move(sourceError);
        r.destinations = std::move(destinations);
        return r;
    };
    auto outcome = [](const char* name, std::optional<std::string> error = {}, std::vector<std::string> failed = {}) {
        DestinationResult d;
        d.name = name;
        d.rollURL = std::string("/media/") + name + "/A001";
        d.error = std::move(error);
        d.failedFiles = std::move(failed);
        return d;
    };
    const TransferResult verified = result({outcome("SSD A"), outcome("SSD B", "Drive was removed")});
    const TransferResult copied = result({outcome("SSD A"), outcome("SSD B", {}, {"x.mov"})}, false);
    const TransferResult cardFailed = result({outcome("SSD A"), outcome("SSD B", "Write error")}, true, "Card unreadable");
    const TransferResult oneOnly = result({outcome("SSD A")});
    const auto lastSnapshot = snapshot(TransferPhase::copying, 1000, {destination("SSD A", 400, 0), destination("SSD B", 100, 0)});

    struct Case {
        const char* name;
        S state;
        const TransferResult* result;
        const TransferProgress* progress;
        AppLanguage language;
        std::vector<Expected> rows;
    };
    const Case cases[] = {
        {"verified and a failed drive", S::failed, &verified, nullptr, AppLanguage::en,
         {{"✓ Verified", 1, accent, secondary}, {"Drive was removed", 1, danger, danger}}},
        {"copied and files that don't match", S::failed, &copied, nullptr, AppLanguage::nl,
         {{"✓ Gekopieerd", 1, accent, secondary}, {"1 bestand klopt niet", 1, danger, danger}}},
        {"verified in accent after success", S::succeeded, &oneOnly, nullptr, AppLanguage::nl,
         {{"✓ Geverifieerd", 1, accent, accent}}},
        {"a card that failed leaves no drive complete", S::failed, &cardFailed, &lastSnapshot, AppLanguage::en,
         {{"Incomplete", 0.2, danger, danger}, {"Write error", 1, danger, danger}}},
        {"card failed, no snapshot", S::failed, &cardFailed, nullptr, AppLanguage::nl,
         {{"Onvolledig", 1, danger, danger}, {"Write error", 1, danger, danger}}},
        {"no result", S::succeeded, nullptr, nullptr, AppLanguage::en, {}},
    };
    for (const Case& c : cases) {
        LanguageScope language(c.language);
        DestinationBarsInput input = transfer(c.state, c.progress);
        input.lastResult = c.result;
        const auto rows = destinationBarRows(input);
        expectRows(rows, c.rows, c.name);
        for (std::size_t i = 0; i < rows.size(); ++i)
            EXPECT_EQ(rows[i].folder, c.result->destinations[i].rollURL) << c.name;
    }
    DestinationBarsInput noDrives = transfer(S::succeeded, nullptr);
    noDrives.lastResult = &verified;
    noDrives.transferDriveIDs.clear();
    EXPECT_TRUE(destinationBarRows(noDrives).empty());
}

TEST(DestinationBars, PlanRowsBeforeATransfer) {
    constexpr std::int64_t margin = 64LL * 1024 * 1024;
    const std::int64_t required = 3'000'000'000;
    DestinationBarsInput input;
    input.connectedDrives = {{"a", "SSD A"}, {"b", "SSD B"}, {"c", "SSD C"}};
    input.plans = {
        {"a", "SSD A", "/media/A/Film/A001", 2'000'000'000'000, required, true},
        {"b", "SSD B", "/media/B/Film/A001", required + margin, required, false},
        {"c", "SSD C", "/media/C/Film/A001", required + margin + 1, required, false},
        {"d", "Huge", "/media/D", 10, std::numeric_limits<std::int64_t>::max(), false},
    };
    {
        LanguageScope language(AppLanguage::en);
        expectRows(destinationBarRows(input),
                   {{"2 TB free", 0, accent, secondary}, {"Not enough space", 0, danger, danger},
                    {"3.07 GB free", 0, accent, secondary}, {"Not enough space", 0, danger, danger}},
                   "plans");
    }
    LanguageScope language(AppLanguage::nl);
    const auto rows = destinationBarRows(input);
    EXPECT_EQ(rows[0].status, "2 TB vrij");
    EXPECT_EQ(rows[1].status, "Te weinig ruimte");
    EXPECT_EQ(rows[0].folder, std::filesystem::path("/media/A/Film/A001"));
    EXPECT_FALSE(rows[1].folder) << "an empty roll folder has nothing to show";
    EXPECT_FALSE(rows[3].showsIcon);

    input.plans.clear();
    EXPECT_TRUE(destinationBarRows(input).empty());
    EXPECT_EQ(destinationBarsPlaceholder(), "Sluit een SSD aan om te beginnen");
}
