#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <map>
#include <string>
#include <vector>

#include "Model/ModelStates.h"
#include "Transfer/TransferProgress.h"
#include "Transfer/TransferResult.h"
#include "Views/Kit/Tone.h"

namespace quillane {

// What the destination bars need of the model.
struct DestinationBarsInput {
    // One planned destination before a transfer.
    struct Plan {
        std::string driveID;
        std::string driveName;
        std::filesystem::path rollURL;
        std::int64_t freeBytes = 0;
        std::int64_t requiredBytes = 0;
        bool rollHasContent = false;
    };
    TransferState state = TransferState::idle;
    const TransferProgress* progress = nullptr;
    const TransferResult* lastResult = nullptr;
    std::vector<std::string> transferDriveIDs;
    bool transferVerifies = true;
    std::vector<std::filesystem::path> transferRollURLs;
    std::vector<Plan> plans;
    // The drives mounted now, identity to name: a row shows its drive's icon while it is here,
    // and the name it has now (else the name the transfer knew it by).
    std::map<std::string, std::string> connectedDrives;
};

struct DestinationBarLook {
    std::string id;
    std::string name;
    bool showsIcon = false;
    double fraction = 0;  // 0 to 1
    std::string status;
    Tone tone = Tone::accent;        // the bar
    Tone statusTone = Tone::accent;  // the status text
    std::optional<std::filesystem::path> folder;
    bool operator==(const DestinationBarLook&) const = default;
};

std::vector<DestinationBarLook> destinationBarRows(const DestinationBarsInput& input);
// The line shown instead of rows when there are none.
std::string destinationBarsPlaceholder();

}  // namespace quillane
