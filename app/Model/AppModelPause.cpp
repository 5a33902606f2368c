#include <algorithm>

#include "Model/AppModel.h"

namespace quillane {
namespace {

bool connected(const std::vector<DriveState>& drives, const std::string& id) {
    return std::any_of(drives.begin(), drives.end(), [&](const DriveState& drive) { return drive.info.id == id; });
}

}  // namespace

bool AppModel::pausedDriesConnected() const {
    if (!pausedJob_ || !connected(drives_, pausedJob_->sourceID)) return false;
    return std::all_of(pausedDriveIDs_.begin(), pausedDriveIDs_.end(),
                       [&](const std::string& id) { return connected(drives_, id); });
}

std::vector<std::string> AppModel::pausedMissingDrives() const {
    std::vector<std::string> missing;
    if (!pausedJob_) return missing;
    if (!connected(drives_, pausedJob_->sourceID)) missing.push_back(pausedJob_->sourceName);
    for (std::size_t i = 0; i < pausedDriveIDs_.size(); ++i) {
        if (connected(drives_, pausedDriveIDs_[i])) continue;
        const bool named = lastResult_ && i < lastResult_->destinations.size();
        missing.push_back(named ? lastResult_->destinations[i].name : "SSD");
    }
    return missing;
}

void AppModel::pauseTransfer() {
    assign(pausedBySleep_, false, ModelField::pausedBySleep);
    if (engine_) engine_->pause();
}

void AppModel::discardPausedTransfer() {
    replace(pausedJob_, std::optional<RunningJob>(), ModelField::pausedJob);
    assign(pausedDriveIDs_, std::vector<std::string>(), ModelField::pausedDriveIDs);
    assign(pausedBySleep_, false, ModelField::pausedBySleep);
    replace(queue_, std::vector<QueueItem>(), ModelField::queue);
    assign(transferState_, TransferState::idle, ModelField::transferState);
    replace(lastResult_, std::optional<TransferResult>(), ModelField::lastResult);
    replace(progress_, std::optional<TransferProgress>(), ModelField::progress);
    refreshPlans();
}

// Not built yet: resuming needs the running engine.
void AppModel::resumeTransfer() {}
void AppModel::continueResume() { resumePending_ = false; }
void AppModel::handleWillSleep() {}
void AppModel::handleDidWake() {}

}  // namespace quillane
