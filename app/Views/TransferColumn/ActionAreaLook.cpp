#include "Views/TransferColumn/ActionAreaLook.h"

#include "Support/Counts.h"
#include "Support/Lang.h"

namespace quillane {
namespace {

std::optional<std::filesystem::path> firstReport(const TransferResult* result) {
    if (!result) return std::nullopt;
    for (const DestinationResult& destination : result->destinations)
        if (destination.reportURL) return destination.reportURL;
    return std::nullopt;
}

ActionAreaLook::Line statusLine(const ActionAreaInput& input) {
    if (input.blockReason) return {*input.blockReason, Tone::tertiary};
    if (input.foldersMissing) return {L("Mappen worden eerst aangemaakt", "Folders will be created first")};
    return {L("Alles staat klaar", "All set")};
}

ActionAreaLook::Detail progressDetail(const TransferProgress& progress, bool verifies) {
    ActionAreaLook::Detail detail{progress.currentFile, {}};
    // The read-back line only where a read-back really happens; a job that does not verify keeps
    // counting its files.
    if (progress.phase == TransferPhase::copying || !verifies) {
        detail.count = std::to_string(progress.filesDone) + L(" van ", " of ") +
                       countText(progress.filesTotal, Counted::files);
    } else {
        detail.count = L("Elke kopie wordt teruggelezen en vergeleken", "Every copy is read back and compared");
    }
    return detail;
}

}  // namespace

ActionAreaLook actionArea(const ActionAreaInput& input) {
    ActionAreaLook content;
    switch (input.state) {
        case TransferState::idle:
            content.buttons = {ActionButton::transfer};
            content.transferEnabled = input.transferAvailable;
            content.status = statusLine(input);
            break;
        case TransferState::running:
            content.buttons = {ActionButton::pause, ActionButton::stop};
            if (input.progress) content.detail = progressDetail(*input.progress, input.transferVerifies);
            break;
        case TransferState::paused: content.buttons = {ActionButton::resume, ActionButton::discard}; break;
        case TransferState::succeeded:
        case TransferState::failed:
        case TransferState::cancelled: {
            const bool succeeded = input.state == TransferState::succeeded;
            if (succeeded && input.selectedSourceConnected) content.buttons.push_back(ActionButton::eject);
            content.report = firstReport(input.lastResult);
            if (content.report) content.buttons.push_back(ActionButton::report);
            content.buttons.push_back(succeeded ? ActionButton::nextCard : ActionButton::close);
            break;
        }
    }
    return content;
}

std::string actionButtonSymbol(ActionButton button) {
    switch (button) {
        case ActionButton::pause: return "pause.fill";
        case ActionButton::resume: return "play.fill";
        case ActionButton::eject: return "eject.fill";
        case ActionButton::report: return "doc.text";
        default: return {};
    }
}

std::string actionButtonText(ActionButton button) {
    switch (button) {
        case ActionButton::transfer: return "TRANSFER";
        case ActionButton::pause: return L("Pauzeren", "Pause");
        case ActionButton::stop:
        case ActionButton::discard: return L("Stoppen", "Stop");
        case ActionButton::resume: return L("Hervatten", "Resume");
        case ActionButton::eject: return L("Kaart uitwerpen", "Eject card");
        case ActionButton::report: return L("Rapport", "Report");
        case ActionButton::nextCard: return L("Volgende kaart", "Next card");
        case ActionButton::close: return L("Sluiten", "Close");
    }
    return {};
}

std::string actionButtonTooltip(ActionButton button) {
    switch (button) {
        case ActionButton::pause:
            return L("Stopt netjes na het huidige blok; later ga je verder waar je was",
                     "Stops neatly after the current block; later you continue where you were");
        case ActionButton::discard:
            return L("Wat al gekopieerd is blijft op je SSD's staan", "What has been copied stays on your SSDs");
        default: return {};
    }
}

}  // namespace quillane
