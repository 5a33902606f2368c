#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Model/DestinationPlan.h"
#include "Model/ModelStates.h"
#include "Model/PausedTransfer.h"
#include "Model/TransferJobs.h"
#include "Transfer/TransferProgress.h"

namespace quillane {

// What the destination cards and the transfer column's bars both go by.

// The job whose roll the destinations and the roll picker show: the one being copied, or the
// paused one while the transfer waits; none when the next card's plan is what counts.
const RunningJob* shownJob(TransferState state, const std::optional<RunningJob>& running,
                           const std::optional<PausedTransfer>& paused);

// The folders "Create folders" would make: none while a card is copied or waits paused (its job
// made its own, and the next card's are made when that card starts), else the planned ones.
std::size_t foldersToCreate(const RunningJob* shown, std::size_t plannedMissing);

// The tree of a destination while a card is copied to it or waits paused there: the job's own
// folders, which the job made, down to its roll folder at rollURL, in place of the next card's plan.
DestinationPlan jobFolderPlan(const DestinationPlan& next, const std::vector<std::string>& jobPath,
                              const std::filesystem::path& rollURL);

// Whether a destination's progress is its read-back: in the verifying and finishing phases of a
// job that verifies. Without verification the engine is copying until it is done.
bool showsReadBack(TransferPhase phase, bool verifies);

// The margin a destination keeps free beyond the card's size.
inline constexpr std::int64_t spaceMargin = 64LL * 1024 * 1024;
// The same limit at which the model refuses to start for lack of space.
bool spaceSuffices(std::int64_t requiredBytes, std::int64_t freeBytes);

}  // namespace quillane
