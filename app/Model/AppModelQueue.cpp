#include <algorithm>

#include "Model/AppModel.h"
#include "Template/RollNamer.h"

namespace quillane {

bool AppModel::canEnqueue() const {
    if (transferState_ != TransferState::running) return false;
    const DriveState* source = selectedSource();
    if (!source || (runningJob_ && runningJob_->sourceID == source->info.id)) return false;
    if (std::any_of(queue_.begin(), queue_.end(), [&](const QueueItem& item) { return item.sourceID == source->info.id; }))
        return false;
    return scanState_.is(ScanState::Kind::ready) && scan_ && !scan_->files.empty();
}

void AppModel::enqueueSelected() {
    if (!canEnqueue()) return;
    const DriveState* source = selectedSource();
    QueueItem item;
    item.sourceID = source->info.id;
    item.sourceName = source->info.name;
    item.roll = rollName_;
    item.scan = *scan_;
    if (const auto chosen = sourceSubfolders_.find(source->info.id); chosen != sourceSubfolders_.end())
        item.subfolder = chosen->second;
    queue_.push_back(std::move(item));
    markChanged(ModelField::queue);
    refreshPlans();
}

void AppModel::removeFromQueue(const UUID& id) {
    std::erase_if(queue_, [&](const QueueItem& item) { return item.id == id; });
    markChanged(ModelField::queue);
    refreshPlans();
}

void AppModel::dismissResult() {
    assign(transferState_, TransferState::idle, ModelField::transferState);
    replace(lastResult_, std::optional<TransferResult>(), ModelField::lastResult);
    replace(progress_, std::optional<TransferProgress>(), ModelField::progress);
    refreshPlans();
}

std::vector<AppModel::SoundCompanion> AppModel::soundCompanions() const {
    std::vector<SoundCompanion> companions;
    if (!settings_.soundAlongWithCamera || transferState_ == TransferState::running) return companions;
    const DriveState* source = selectedSource();
    if (!source || isSoundCard(*source)) return companions;
    std::vector<std::string> used = usedRollNames(true);
    for (const DriveState& drive : sources()) {
        if (!isSoundCard(drive) || transferredSourceIDs_.contains(drive.info.id)) continue;
        const std::string roll = RollNamer::format(
            "S", RollNamer::highestNumber("S", used, settings_.rollDigits) + 1, settings_.rollDigits);
        used.push_back(roll);
        companions.push_back({drive.info.name, roll});
    }
    return companions;
}

}  // namespace quillane
