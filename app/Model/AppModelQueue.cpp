#include <algorithm>

#include "Model/AppModel.h"
#include "Model/DemoDrives.h"
#include "Model/PathRules.h"
#include "Template/RollNamer.h"
#include "Transfer/SourceScanner.h"

namespace quillane {

bool AppModel::isQueued(const std::string& sourceID) const {
    return std::any_of(queue_.begin(), queue_.end(), [&](const QueueItem& item) { return item.sourceID == sourceID; });
}

bool AppModel::canEnqueue() const {
    if (transferState_ != TransferState::running) return false;
    const DriveState* source = selectedSource();
    if (!source || (runningJob_ && runningJob_->sourceID == source->info.id)) return false;
    if (isQueued(source->info.id)) return false;
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
    // Only an ended run has a result to close: a running or paused one keeps its state.
    if (transferState_ == TransferState::running || transferState_ == TransferState::paused) return;
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
        // A card already queued (behind a paused run) keeps the roll its queue row shows.
        if (isQueued(drive.info.id)) continue;
        const std::string roll = RollNamer::format(
            "S", RollNamer::highestNumber("S", used, settings_.rollDigits) + 1, settings_.rollDigits);
        used.push_back(roll);
        companions.push_back({drive.info.name, roll});
    }
    return companions;
}

}  // namespace quillane

namespace quillane {

void AppModel::queueSoundCards() {
    if (!settings_.soundAlongWithCamera) return;
    for (const DriveState& drive : sources()) {
        if (!isSoundCard(drive) || transferredSourceIDs_.contains(drive.info.id)) continue;
        if (runningJob_ && runningJob_->sourceID == drive.info.id) continue;
        if (isQueued(drive.info.id)) continue;
        const DriveInfo info = drive.info;
        if (PathRules::isDemoLocation(info.url)) {
            queueSoundCard(info, DemoDrives::scan(info.url, info.id, settings_.copyMode));
            continue;
        }
        const CopyMode mode = settings_.copyMode;
        std::set<std::string> extensions(settings_.videoExtensions.begin(), settings_.videoExtensions.end());
        const bool includeAudio = settings_.includeAudioWithVideo;
        inBackground([this, info, mode, extensions = std::move(extensions), includeAudio]() -> std::function<void()> {
            std::optional<SourceScan> scan;
            try {
                scan = SourceScanner::scan(info.url, mode, extensions, includeAudio);
            } catch (...) {
                return {};
            }
            return [this, info, scan = std::move(*scan)]() mutable { queueSoundCard(info, std::move(scan)); };
        });
    }
}

void AppModel::queueSoundCard(const DriveInfo& info, SourceScan scan) {
    if (scan.files.empty()) return;
    for (const TransferRecord& record : history_)
        if (record.succeeded && record.fingerprint == scan.fingerprint) return;
    if (isQueued(info.id)) return;
    QueueItem item;
    item.sourceID = info.id;
    item.sourceName = info.name;
    item.roll = RollNamer::format("S", RollNamer::highestNumber("S", usedRollNames(true), settings_.rollDigits) + 1,
                                  settings_.rollDigits);
    item.scan = std::move(scan);
    queue_.push_back(std::move(item));
    markChanged(ModelField::queue);
}

void AppModel::startNextInQueue() {
    if (queue_.empty()) return;
    QueueItem item = queue_.front();
    queue_.erase(queue_.begin());
    markChanged(ModelField::queue);
    const bool present = std::any_of(drives_.begin(), drives_.end(),
                                     [&](const DriveState& drive) { return drive.info.id == item.sourceID; });
    if (!present) {
        setAlert(AlertMessage(L("Kaart niet meer aangesloten", "Card no longer connected"),
                              item.sourceName + L(" staat in de wachtrij maar is uitgeworpen.",
                                                  " is in the queue but was ejected.")));
        replace(queue_, std::vector<QueueItem>(), ModelField::queue);
        return;
    }
    if (scanTask_) *scanTask_ = true;
    assign(selectedSourceID_, std::optional<std::string>(item.sourceID), ModelField::selectedSourceID);
    if (item.subfolder)
        sourceSubfolders_[item.sourceID] = *item.subfolder;
    else
        sourceSubfolders_.erase(item.sourceID);
    markChanged(ModelField::sourceSubfolders);
    scanningRoot_ = item.scan.root;
    replace(scan_, std::optional<SourceScan>(std::move(item.scan)), ModelField::scan);
    assign(scanState_, ScanState::ready(), ModelField::scanState);
    assign(rollOverride_, std::optional<std::string>(item.roll), ModelField::rollOverride);
    assign(transferState_, TransferState::idle, ModelField::transferState);
    refreshPlans();
    // The roll was free when the card was queued; a card or folder may have taken it since.
    if (plannedRollTaken()) {
        assign(rollOverride_, std::optional<std::string>(rollAboveUsed(rollName_)), ModelField::rollOverride);
        refreshPlans();
    }
    // Nobody is there to press TRANSFER: what keeps this card from starting stops the queue, and says so.
    if (const std::optional<std::string> reason = blockReason()) {
        setAlert(AlertMessage(L("Wachtrij gepauzeerd", "Queue paused"),
                              item.sourceName + L(" kon niet starten: ", " could not start: ") + *reason));
        replace(queue_, std::vector<QueueItem>(), ModelField::queue);
        return;
    }
    requestFolders(true, true);
}

}  // namespace quillane
