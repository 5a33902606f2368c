#pragma once
#include <QString>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Transfer/TransferProgress.h"
#include "Transfer/TransferResult.h"
#include "Model/ModelStates.h"
#include "Views/Kit/Tone.h"

namespace quillane {

// What the status line of one included SSD reads.
struct DestinationStatusFacts {
    TransferState state = TransferState::idle;
    const TransferProgress* progress = nullptr;
    const TransferResult* lastResult = nullptr;
    std::vector<std::string> transferDriveIDs;
    // The transfer's job reads its copies back.
    bool verifies = true;
    // Of the SSD's plan.
    std::string driveID;
    std::int64_t requiredBytes = 0;
    std::int64_t freeBytes = 0;
    bool rollHasContent = false;
    std::string rollFolderName;  // the last planned folder; empty without one
};

// One of four things: the live (or frozen) progress, the outcome, nothing, or the space line.
struct DestinationStatusLine {
    enum class Kind { nothing, progress, result, space };
    Kind kind = Kind::nothing;
    QString text;
    Tone textTone = Tone::secondary;
    // progress: the bar
    double used = 0;
    Tone barTone = Tone::accent;
    // result: seal or octagon, and the roll folder to show
    bool good = false;
    std::filesystem::path folder;
    // space: the dot and the roll-folder warning
    Tone dotTone = Tone::accent;
    std::optional<QString> contentWarning;
};
DestinationStatusLine destinationStatusLine(const DestinationStatusFacts& facts);

// The button that creates the planned folders now.
struct CreateFoldersLabel {
    bool ready = false;  // nothing missing: the check mark
    QString text;
    std::optional<QString> badge;
    bool enabled = false;
};
CreateFoldersLabel createFoldersLabel(std::size_t missingCount, bool running, bool hasProject);

}  // namespace quillane
