#include "Views/TransferColumn/StatusHeadlineLook.h"

#include <chrono>
#include <cmath>

#include "Detection/ByteFormat.h"
#include "Support/Counts.h"
#include "Support/Lang.h"
#include "Support/Text.h"
#include "Views/Kit/DurationText.h"

namespace quillane {
namespace {

std::string runningDetail(const TransferProgress& progress) {
    std::vector<std::string> parts{TransferPhases::displayName(progress.phase)};
    if (progress.bytesPerSecond > 0) parts.push_back(ByteFormat::rate(progress.bytesPerSecond));
    if (progress.secondsRemaining) {
        const std::string left = durationText(*progress.secondsRemaining).toStdString();
        parts.push_back(L("nog " + left, left + " left"));
    }
    return Text::joined(parts, " · ");
}

std::string pausedDetail(const StatusHeadlineInput& input) {
    if (!input.pausedMissingDrives.empty()) {
        const std::string names = Text::joined(input.pausedMissingDrives, ", ");
        return L("Sluit " + names + " weer aan om verder te gaan", "Reconnect " + names + " to continue");
    }
    if (input.pausedBySleep)
        return L("Deze computer sliep. Quillane gaat zo vanzelf verder.",
                 "This computer was asleep. Quillane will continue in a moment.");
    return L("Wat klaar is blijft staan en wordt bij hervatten gecontroleerd",
             "Finished files stay and are checked when you resume");
}

// Which drives to look at: named when known, else the one with the red bar.
std::string failureDetail(const std::vector<std::string>& drives) {
    if (drives.empty()) return L("Zie de schijf met een rode balk", "See the drive with the red bar");
    if (drives.size() == 1)
        return L("Zie " + drives[0] + ", de schijf met een rode balk", "See " + drives[0] + ", the drive with the red bar");
    const std::vector<std::string> first(drives.begin(), drives.end() - 1);
    const std::string names = Text::joined(first, ", ");
    return L("Zie " + names + " en " + drives.back() + ", de schijven met een rode balk",
             "See " + names + " and " + drives.back() + ", the drives with a red bar");
}

std::string resultSummary(const TransferResult& result) {
    const double seconds = std::chrono::duration<double>(result.finishedAt - result.startedAt).count();
    const double rate = seconds > 0 ? static_cast<double>(result.totalBytes) / seconds : 0;
    return ByteFormat::string(result.totalBytes) + " in " + durationText(seconds).toStdString() + " · " + ByteFormat::rate(rate);
}

}  // namespace

int progressPercent(double fraction) {
    if (!std::isfinite(fraction) || fraction <= 0) return 0;
    if (fraction >= 1) return 100;
    return static_cast<int>(fraction * 100);
}

StatusHeadlineLook statusHeadline(const StatusHeadlineInput& input) {
    switch (input.state) {
        case TransferState::idle:
            if (input.card)
                return {.style = HeadlineStyle::number, .first = ByteFormat::string(input.card->totalBytes),
                        .second = countText(input.card->fileCount, Counted::files)};
            return {.style = HeadlineStyle::ready, .first = L("Klaar voor een kaart", "Ready for a card"),
                    .tone = Tone::tertiary};
        case TransferState::running:
            return {.style = HeadlineStyle::number,
                    .first = std::to_string(input.progress ? progressPercent(input.progress->fraction) : 0) + "%",
                    .second = input.progress ? std::optional(runningDetail(*input.progress)) : std::nullopt};
        case TransferState::paused:
            return {.style = HeadlineStyle::outcome, .symbol = "pause.circle.fill", .first = L("Gepauzeerd", "Paused"),
                    .tone = Tone::warning, .second = pausedDetail(input)};
        case TransferState::succeeded:
            return {.style = HeadlineStyle::outcome, .symbol = "checkmark.seal.fill",
                    .first = L("Veilig overgezet", "Safely transferred"), .tone = Tone::accent,
                    .second = input.lastResult ? std::optional(resultSummary(*input.lastResult)) : std::nullopt};
        case TransferState::failed:
            return {.style = HeadlineStyle::failure, .symbol = "exclamationmark.triangle.fill",
                    .first = L("Niet volledig gelukt", "Not fully successful"), .tone = Tone::danger,
                    .second = input.lastResult && input.lastResult->sourceError
                                  ? *input.lastResult->sourceError
                                  : failureDetail(input.failedDrives)};
        case TransferState::cancelled:
            return {.style = HeadlineStyle::failure, .symbol = "stop.circle.fill", .first = L("Gestopt", "Stopped"),
                    .tone = Tone::warning,
                    .second = L("Druk later op TRANSFER om te hervatten", "Press TRANSFER later to resume")};
    }
    return {};
}

}  // namespace quillane
