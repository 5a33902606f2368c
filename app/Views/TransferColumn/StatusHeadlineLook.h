#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Model/ModelStates.h"
#include "Transfer/TransferProgress.h"
#include "Transfer/TransferResult.h"
#include "Views/Kit/Tone.h"

namespace quillane {

// What the headline needs of the model.
struct StatusHeadlineInput {
    struct Card {
        std::int64_t totalBytes = 0;
        int fileCount = 0;
    };
    TransferState state = TransferState::idle;
    // The scanned card, only while it is selected and still connected.
    std::optional<Card> card{};
    const TransferProgress* progress = nullptr;
    const TransferResult* lastResult = nullptr;
    std::vector<std::string> pausedMissingDrives{};
    // After a failed transfer: the names of the drives whose copy failed, as the volume list
    // names them now (or as the transfer knew them, for a drive that is gone).
    std::vector<std::string> failedDrives{};
    bool pausedBySleep = false;
};

// How the first line is set: the two big number styles, the quiet idle line, and the outcome
// words with their symbol.
enum class HeadlineStyle { number, ready, outcome, failure };

struct StatusHeadlineLook {
    HeadlineStyle style = HeadlineStyle::ready;
    std::string symbol{};  // empty: no symbol before the first line
    std::string first{};
    Tone tone = Tone::text;
    std::optional<std::string> second{};
    bool operator==(const StatusHeadlineLook&) const = default;
};

// The percentage a progress fraction shows: truncated, never rounded up to the next number,
// and 0 for a fraction that is not a finite number.
int progressPercent(double fraction);

StatusHeadlineLook statusHeadline(const StatusHeadlineInput& input);

}  // namespace quillane
