#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/Scopes.h"
#include "Views/TransferColumn/StatusHeadlineLook.h"

using namespace quillane;
using quillane::testing::LanguageScope;

namespace {

TransferProgress snapshot(TransferPhase phase, double fraction, double rate, std::optional<double> left) {
    TransferProgress progress;
    progress.phase = phase;
    progress.fraction = fraction;
    progress.bytesPerSecond = rate;
    progress.secondsRemaining = left;
    return progress;
}

TransferResult finished(std::int64_t bytes, int seconds, std::optional<std::string> sourceError = {}) {
    TransferResult result;
    result.totalBytes = bytes;
    result.startedAt = std::chrono::system_clock::time_point(std::chrono::hours(1000));
    result.finishedAt = result.startedAt + std::chrono::seconds(seconds);
    result.sourceError = std::move(sourceError);
    return result;
}

}  // namespace

TEST(StatusHeadline, EveryStateInBothLanguages) {
    const TransferProgress copying = snapshot(TransferPhase::copying, 0.4237, 250e6, 125);
    const TransferProgress almost = snapshot(TransferPhase::verifying, 0.999, 0, std::nullopt);
    const TransferProgress notANumber = snapshot(TransferPhase::preparing, std::nan(""), 0, 7200);
    const TransferResult done = finished(1'500'000'000, 60);
    const TransferResult instant = finished(1'500'000'000, 0);
    const TransferResult unreadable = finished(10, 5, "The card <b>X</b> could not be read");
    using S = TransferState;
    using Card = StatusHeadlineInput::Card;
    const std::vector<std::string> cardAndDrives{"A_CAM", "SSD A", "SSD B"};

    struct Case {
        const char* name;
        StatusHeadlineInput input;
        AppLanguage language;
        StatusHeadlineLook expected;
    };
    const Case cases[] = {
        {"card", {.state = S::idle, .card = Card{2'500'000'000, 812}}, AppLanguage::en,
         {HeadlineStyle::number, "", "2.5 GB", Tone::text, "812 files"}},
        {"card nl", {.state = S::idle, .card = Card{2'500'000'000, 1}}, AppLanguage::nl,
         {HeadlineStyle::number, "", "2.5 GB", Tone::text, "1 bestand"}},
        {"no card", {.state = S::idle}, AppLanguage::en,
         {HeadlineStyle::ready, "", "Ready for a card", Tone::tertiary, std::nullopt}},
        {"no card nl", {.state = S::idle}, AppLanguage::nl,
         {HeadlineStyle::ready, "", "Klaar voor een kaart", Tone::tertiary, std::nullopt}},
        {"before the first snapshot", {.state = S::running}, AppLanguage::en,
         {HeadlineStyle::number, "", "0%", Tone::text, std::nullopt}},
        {"copying", {.state = S::running, .progress = &copying}, AppLanguage::en,
         {HeadlineStyle::number, "", "42%", Tone::text, "Copying · 250 MB/s · 2 min left"}},
        {"copying nl", {.state = S::running, .progress = &copying}, AppLanguage::nl,
         {HeadlineStyle::number, "", "42%", Tone::text, "Kopiëren · 250 MB/s · nog 2 min"}},
        {"truncated, phase alone", {.state = S::running, .progress = &almost}, AppLanguage::en,
         {HeadlineStyle::number, "", "99%", Tone::text, "Verifying"}},
        {"fraction not a number", {.state = S::running, .progress = &notANumber}, AppLanguage::nl,
         {HeadlineStyle::number, "", "0%", Tone::text, "Voorbereiden · nog 2 u 0 min"}},
        {"reconnect, card first, beats sleep", {.state = S::paused, .pausedMissingDrives = cardAndDrives, .pausedBySleep = true}, AppLanguage::en,
         {HeadlineStyle::outcome, "pause.circle.fill", "Paused", Tone::warning,
          "Reconnect A_CAM, SSD A, SSD B to continue"}},
        {"reconnect nl", {.state = S::paused, .pausedMissingDrives = {"SSD A", "SSD B"}}, AppLanguage::nl,
         {HeadlineStyle::outcome, "pause.circle.fill", "Gepauzeerd", Tone::warning,
          "Sluit SSD A, SSD B weer aan om verder te gaan"}},
        {"asleep", {.state = S::paused, .pausedBySleep = true}, AppLanguage::en,
         {HeadlineStyle::outcome, "pause.circle.fill", "Paused", Tone::warning,
          "This computer was asleep. Quillane will continue in a moment."}},
        {"asleep nl", {.state = S::paused, .pausedBySleep = true}, AppLanguage::nl,
         {HeadlineStyle::outcome, "pause.circle.fill", "Gepauzeerd", Tone::warning,
          "Deze computer sliep. Quillane gaat zo vanzelf verder."}},
        {"paused by hand", {.state = S::paused}, AppLanguage::en,
         {HeadlineStyle::outcome, "pause.circle.fill", "Paused", Tone::warning,
          "Finished files stay and are checked when you resume"}},
        {"succeeded", {.state = S::succeeded, .lastResult = &done}, AppLanguage::nl,
         {HeadlineStyle::outcome, "checkmark.seal.fill", "Veilig overgezet", Tone::accent,
          "1.5 GB in 1 min · 25 MB/s"}},
        {"succeeded at once", {.state = S::succeeded, .lastResult = &instant}, AppLanguage::en,
         {HeadlineStyle::outcome, "checkmark.seal.fill", "Safely transferred", Tone::accent,
          "1.5 GB in 1 sec · —"}},
        {"succeeded without result", {.state = S::succeeded}, AppLanguage::en,
         {HeadlineStyle::outcome, "checkmark.seal.fill", "Safely transferred", Tone::accent, std::nullopt}},
        {"failed on a drive", {.state = S::failed, .lastResult = &done}, AppLanguage::en,
         {HeadlineStyle::failure, "exclamationmark.triangle.fill", "Not fully successful", Tone::danger,
          "See the drive with the red bar"}},
        {"failed on a named drive", {.state = S::failed, .lastResult = &done, .failedDrives = {"SSD_B"}}, AppLanguage::en,
         {HeadlineStyle::failure, "exclamationmark.triangle.fill", "Not fully successful", Tone::danger,
          "See SSD_B, the drive with the red bar"}},
        {"failed on three drives", {.state = S::failed, .lastResult = &done, .failedDrives = {"A", "B", "C"}},
         AppLanguage::nl,
         {HeadlineStyle::failure, "exclamationmark.triangle.fill", "Niet volledig gelukt", Tone::danger,
          "Zie A, B en C, de schijven met een rode balk"}},
        {"failed on the card", {.state = S::failed, .lastResult = &unreadable}, AppLanguage::nl,
         {HeadlineStyle::failure, "exclamationmark.triangle.fill", "Niet volledig gelukt", Tone::danger,
          "The card <b>X</b> could not be read"}},
        {"cancelled", {.state = S::cancelled}, AppLanguage::en,
         {HeadlineStyle::failure, "stop.circle.fill", "Stopped", Tone::warning,
          "Press TRANSFER later to resume"}},
        {"cancelled nl", {.state = S::cancelled}, AppLanguage::nl,
         {HeadlineStyle::failure, "stop.circle.fill", "Gestopt", Tone::warning,
          "Druk later op TRANSFER om te hervatten"}},
    };
    for (const Case& c : cases) {
        LanguageScope language(c.language);
        const StatusHeadlineLook content = statusHeadline(c.input);
        EXPECT_EQ(content.style, c.expected.style) << c.name;
        EXPECT_EQ(content.symbol, c.expected.symbol) << c.name;
        EXPECT_EQ(content.first, c.expected.first) << c.name;
        EXPECT_EQ(content.tone, c.expected.tone) << c.name;
        EXPECT_EQ(content.second, c.expected.second) << c.name;
    }
}

TEST(StatusHeadline, PercentIsTruncatedAndBounded) {
    const std::pair<double, int> cases[] = {
        {0, 0}, {0.009, 0}, {0.42999, 42}, {0.999, 99}, {1, 100}, {1.7, 100}, {-0.2, 0},
        {std::numeric_limits<double>::infinity(), 0}, {std::nan(""), 0},
    };
    for (const auto& [fraction, percent] : cases) EXPECT_EQ(progressPercent(fraction), percent) << fraction;
}
