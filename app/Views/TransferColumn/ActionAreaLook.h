#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Model/ModelStates.h"
#include "Transfer/TransferProgress.h"
#include "Transfer/TransferResult.h"
#include "Views/Kit/Tone.h"

namespace quillane {

// What the action area needs of the model.
struct ActionAreaInput {
    TransferState state = TransferState::idle;
    std::optional<std::string> blockReason{};
    // TRANSFER does something when pressed (the model's answer, a resume included).
    bool transferAvailable = false;
    bool foldersMissing = false;
    const TransferProgress* progress = nullptr;
    const TransferResult* lastResult = nullptr;
    // The selected card is among the connected sources.
    bool selectedSourceConnected = false;
    bool transferVerifies = true;
};

enum class ActionButton { transfer, pause, stop, resume, discard, eject, report, nextCard, close };

struct ActionAreaLook {
    struct Line {
        std::string text;
        Tone tone = Tone::secondary;
        bool operator==(const Line&) const = default;
    };
    struct Detail {
        std::string currentFile;
        std::string count;
        bool operator==(const Detail&) const = default;
    };
    // The buttons of the block's one row, in order (TRANSFER alone while idle).
    std::vector<ActionButton> buttons;
    bool transferEnabled = false;
    std::optional<Line> status;      // idle only
    std::optional<Detail> detail;    // running with a snapshot only
    std::optional<std::filesystem::path> report;  // what Report opens, when it is shown
    bool operator==(const ActionAreaLook&) const = default;
};

ActionAreaLook actionArea(const ActionAreaInput& input);

// The symbol beside a button's text; empty for a text-only button.
std::string actionButtonSymbol(ActionButton button);
std::string actionButtonText(ActionButton button);
// Empty when the button has no tooltip.
std::string actionButtonTooltip(ActionButton button);

}  // namespace quillane
