#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillane {

// The phases of a transfer, in the order they pass; compare with < and >.
enum class TransferPhase { preparing, copying, verifying, finishing, done };

namespace TransferPhases {
inline constexpr std::array<TransferPhase, 5> allCases{TransferPhase::preparing, TransferPhase::copying,
                                                       TransferPhase::verifying, TransferPhase::finishing,
                                                       TransferPhase::done};
// The case name: "preparing", "copying", …
std::string id(TransferPhase phase);
std::optional<TransferPhase> fromRawValue(std::string_view raw);
// In the current language.
std::string displayName(TransferPhase phase);
}  // namespace TransferPhases

// Progress on one destination.
struct DestinationProgress {
    // The destination's index in the job.
    int id = 0;
    std::string name;
    std::int64_t copiedBytes = 0;
    std::int64_t verifiedBytes = 0;
    // The first error reported for this destination.
    std::optional<std::string> error;

    bool operator==(const DestinationProgress&) const = default;
};

// One snapshot of a running transfer.
struct TransferProgress {
    TransferPhase phase = TransferPhase::preparing;
    // Copying and read-back together, 0.0 to 1.0.
    double fraction = 0;
    // 0 while it cannot be measured yet.
    double bytesPerSecond = 0;
    // None while the rate is 0.
    std::optional<double> secondsRemaining;
    std::string currentFile;
    int filesDone = 0;
    int filesTotal = 0;
    std::int64_t totalBytes = 0;
    // Source bytes copied, counted once.
    std::int64_t copiedBytes = 0;
    std::vector<DestinationProgress> destinations;

    bool operator==(const TransferProgress&) const = default;
};

}  // namespace quillane
