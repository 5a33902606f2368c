#include "Views/Drives/DestinationRules.h"

#include <limits>

namespace quillane {

const RunningJob* shownJob(TransferState state, const std::optional<RunningJob>& running,
                           const std::optional<PausedTransfer>& paused) {
    if (running) return &*running;
    if (state == TransferState::paused && paused) return &paused->job;
    return nullptr;
}

std::size_t foldersToCreate(const RunningJob* shown, std::size_t plannedMissing) { return shown ? 0 : plannedMissing; }

DestinationPlan jobFolderPlan(const DestinationPlan& next, const std::vector<std::string>& jobPath,
                              const std::filesystem::path& rollURL) {
    DestinationPlan plan = next;
    std::filesystem::path base = rollURL;
    for (std::size_t i = 0; i < jobPath.size() && base.has_relative_path(); ++i) base = base.parent_path();
    plan.baseURL = base;
    plan.rollURL = rollURL;
    plan.missing.clear();
    plan.nodes.clear();
    std::filesystem::path url = base;
    for (std::size_t i = 0; i < jobPath.size(); ++i) {
        url /= jobPath[i];
        plan.nodes.push_back(FolderNode{jobPath[i], static_cast<int>(i), true, i + 1 == jobPath.size(), url});
    }
    return plan;
}

bool showsReadBack(TransferPhase phase, bool verifies) {
    return verifies && (phase == TransferPhase::verifying || phase == TransferPhase::finishing);
}

bool spaceSuffices(std::int64_t requiredBytes, std::int64_t freeBytes) {
    const std::int64_t max = std::numeric_limits<std::int64_t>::max();
    const std::int64_t needed = requiredBytes > max - spaceMargin ? max : requiredBytes + spaceMargin;
    return needed < freeBytes;
}

}  // namespace quillane
