#include "Views/TransferColumn/StatusHeadlineContent.h"

#include <chrono>
#include <cmath>

#include "Detection/ByteFormat.h"
#include "Support/Lang.h"
#include "Views/Kit/DurationText.h"

namespace quillane {
namespace {

std::string joined(const std::vector<std::string>& parts, const std::string& separator) {
    std::string text;
    for (const std::string& part : parts) {
        if (!text.empty()) text += separator;
        text += part;
    }
    return text;
}

std::string runningDetail(const TransferProgress& progress) {
    std::vector<std::string> parts{TransferPhases::displayName(progress.phase)};
    if (progress.bytesPerSecond > 0) parts.push_back(ByteFormat::rate(progress.bytesPerSecond));
    if (progress.secondsRemaining) {
        const std::string left = durationText(*progress.secondsRemaining).toStdString();
        parts.push_back(L("nog " + left, left + " left"));
    }
    return joined(parts, " · ");
}

std::string pausedDetail(const StatusHeadlineInput& input) {
    if (!input.pausedMissingDrives.empty()) {
        const std::string names = joined(input.pausedMissingDrives, ", ");
        return L("Sluit " + names + " weer aan om verder te gaan", "Reconnect " + names + " to continue");
    }
    if (input.pausedBySleep)
        return L("Deze computer sliep. Quillane gaat zo vanzelf verder.",
                 "This computer was asleep. Quillane will continue in a moment.");
    return L("Wat klaar is blijft staan en wordt bij hervatten gecontroleerd",
             "Finished files stay and are checked when you resume");
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

StatusHeadlineContent statusHeadline(const StatusHeadlineInput& input) {
    StatusHeadlineContent content;
    switch (input.state) {
        case TransferState::idle:
            if (input.card) {
                content.style = HeadlineStyle::number;
                content.first = ByteFormat::string(input.card->totalBytes);
                content.second = std::to_string(input.card->fileCount) + L(" bestanden", " files");
            } else {
                content.style = HeadlineStyle::ready;
                content.first = L("Klaar voor een kaart", "Ready for a card");
                content.tone = Tone::tertiary;
            }
            break;
        case TransferState::running:
            content.style = HeadlineStyle::number;
            content.first = std::to_string(input.progress ? progressPercent(input.progress->fraction) : 0) + "%";
            if (input.progress) content.second = runningDetail(*input.progress);
            break;
        case TransferState::paused:
            content.style = HeadlineStyle::outcome;
            content.symbol = "pause.circle.fill";
            content.first = L("Gepauzeerd", "Paused");
            content.tone = Tone::warning;
            content.second = pausedDetail(input);
            break;
        case TransferState::succeeded:
            content.style = HeadlineStyle::outcome;
            content.symbol = "checkmark.seal.fill";
            content.first = L("Veilig overgezet", "Safely transferred");
            content.tone = Tone::accent;
            if (input.lastResult) content.second = resultSummary(*input.lastResult);
            break;
        case TransferState::failed:
            content.style = HeadlineStyle::failure;
            content.symbol = "exclamationmark.triangle.fill";
            content.first = L("Niet volledig gelukt", "Not fully successful");
            content.tone = Tone::danger;
            if (input.lastResult && input.lastResult->sourceError)
                content.second = *input.lastResult->sourceError;
            else
                content.second = L("Zie de schijf met een rode balk", "See the drive with the red bar");
            break;
        case TransferState::cancelled:
            content.style = HeadlineStyle::failure;
            content.symbol = "stop.circle.fill";
            content.first = L("Gestopt", "Stopped");
            content.tone = Tone::warning;
            content.second = L("Druk later op TRANSFER om te hervatten", "Press TRANSFER later to resume");
            break;
    }
    return content;
}

}  // namespace quillane
