#include <algorithm>

#include "Detection/ContentProber.h"
#include "Detection/DriveClassifier.h"
#include "Model/AppModel.h"
#include "Model/DemoDrives.h"
#include "Model/PathRules.h"
#include "Support/Text.h"
#include "Transfer/DestinationFiles.h"

namespace quillane {
namespace {

constexpr std::int64_t probeEntryLimit = 5000;

DriveIcon iconFor(const DriveInfo& info) {
    if (info.isInternal) return DriveIcon::internal;
    return info.isRemovable ? DriveIcon::removable : DriveIcon::external;
}

// Keeps the first of volumes that report the same id: every per-drive table is keyed by it.
std::vector<const DriveInfo*> uniqueByID(const std::vector<DriveInfo>& infos) {
    std::vector<const DriveInfo*> result;
    std::set<std::string> seen;
    for (const DriveInfo& info : infos)
        if (seen.insert(info.id).second) result.push_back(&info);
    return result;
}

}  // namespace

ClassifierContext AppModel::classifierContext() const {
    ClassifierContext context;
    context.learnedRoles = settings_.learnedRoles();
    context.projectName = projectName_;
    context.templateFolders = settings_.folderTemplate.fixedFolderNames();
    return context;
}

void AppModel::updateDrives() {
    if (demoState_ == DemoState::on)
        drivesChanged(DemoDrives::infos(demoUsedBytes_, demoEjected_));
    else
        drivesChanged(realDriveInfos_);
}

void AppModel::drivesChanged(const std::vector<DriveInfo>& reported) {
    const std::vector<const DriveInfo*> infos = uniqueByID(reported);
    std::map<std::string, const DriveState*> previous;
    for (const DriveState& drive : drives_) previous.emplace(drive.info.id, &drive);
    std::set<std::string> ids;
    for (const DriveInfo* info : infos) ids.insert(info->id);

    for (auto it = probeTasks_.begin(); it != probeTasks_.end();) {
        if (ids.contains(it->first)) {
            ++it;
            continue;
        }
        *it->second = true;
        it = probeTasks_.erase(it);
    }

    const ClassifierContext context = classifierContext();
    std::vector<DriveState> next;
    next.reserve(infos.size());
    for (const DriveInfo* info : infos) {
        DriveState drive;
        drive.info = *info;
        const auto found = previous.find(info->id);
        const DriveState* before = found != previous.end() && found->second->info.url == info->url ? found->second : nullptr;
        if (PathRules::isDemoLocation(info->url))
            drive.probe = DemoDrives::probe(*info);
        else if (before)
            drive.probe = before->probe;
        drive.classification = DriveClassifier::classify(*info, drive.probe ? &*drive.probe : nullptr, context);
        drive.icon = before ? before->icon : iconFor(*info);
        if (!PathRules::isDemoLocation(info->url)) drive.volume = DestinationFiles::volumeOf(info->url);
        next.push_back(std::move(drive));
    }
    replace(drives_, std::move(next), ModelField::drives);

    for (const DriveState& drive : drives_)
        if (!drive.probe && !probeTasks_.contains(drive.info.id)) startProbe(drive.info);

    std::set<std::string> excluded;
    for (const std::string& id : excludedDestinationIDs_)
        if (ids.contains(id)) excluded.insert(id);
    assign(excludedDestinationIDs_, std::move(excluded), ModelField::excludedDestinationIDs);

    reconcileSource();
    refreshPlans();
    if (pausedBySleep() && !sleep_.asleep && transferState_ == TransferState::paused && pausedDriesConnected())
        resumeTransfer();
}

void AppModel::startProbe(const DriveInfo& info) {
    auto stop = std::make_shared<std::atomic<bool>>(false);
    probeTasks_[info.id] = stop;
    std::set<std::string> extensions(settings_.videoExtensions.begin(), settings_.videoExtensions.end());
    inBackground([this, info, stop, extensions = std::move(extensions)]() -> std::function<void()> {
        if (*stop) return {};
        ContentProbe probe = ContentProber::probe(info.url, extensions, probeEntryLimit);
        return [this, info, stop, probe = std::move(probe)]() mutable {
            if (*stop) return;
            probeArrived(info, std::move(probe));
        };
    });
}

void AppModel::probeArrived(const DriveInfo& info, ContentProbe probe) {
    probeTasks_.erase(info.id);
    const auto drive = std::find_if(drives_.begin(), drives_.end(),
                                    [&](const DriveState& state) { return state.info.id == info.id; });
    if (drive == drives_.end()) return;
    drive->probe = std::move(probe);
    drive->classification = DriveClassifier::classify(info, &*drive->probe, classifierContext());
    markChanged(ModelField::drives);
    reconcileSource();
    rescanIfRootChanged();
    plansStale_ = true;  // rebuilt with the flush this change scheduled
}

void AppModel::reconcileSource() {
    const std::vector<DriveState> cards = sources();
    const bool valid = selectedSourceID_ && std::any_of(cards.begin(), cards.end(), [&](const DriveState& drive) {
                           return drive.info.id == *selectedSourceID_;
                       });
    if (valid) return;
    // A card that vanished keeps a paused transfer paused: it resumes when the card returns.
    const TransferState keep = transferState_;
    selectSource(cards.empty() ? std::nullopt : std::optional<std::string>(cards.front().info.id));
    if (keep == TransferState::paused && paused_) assign(transferState_, keep, ModelField::transferState);
}

bool AppModel::refreshFreeSpace() {
    bool changed = false;
    for (DriveState& drive : drives_) {
        if (PathRules::isDemoLocation(drive.info.url)) continue;
        const std::optional<std::int64_t> free = services_.space->availableBytes(drive.info.url);
        if (!free || *free == drive.info.availableCapacity) continue;
        drive.info.availableCapacity = *free;
        for (DriveInfo& info : realDriveInfos_)
            if (info.id == drive.info.id) info.availableCapacity = *free;
        changed = true;
    }
    if (changed) markChanged(ModelField::drives);
    return changed;
}

void AppModel::reclassifyAll() {
    const ClassifierContext context = classifierContext();
    for (DriveState& drive : drives_)
        drive.classification = DriveClassifier::classify(drive.info, drive.probe ? &*drive.probe : nullptr, context);
    markChanged(ModelField::drives);
    reconcileSource();
    refreshPlans();
}

DriveRole AppModel::role(const DriveState& drive) const {
    const auto chosen = sessionRoles_.find(drive.info.id);
    return chosen != sessionRoles_.end() ? chosen->second : drive.classification.role;
}

namespace {
template <typename Keep>
std::vector<DriveState> filtered(const std::vector<DriveState>& drives, Keep keep) {
    std::vector<DriveState> result;
    for (const DriveState& drive : drives)
        if (keep(drive)) result.push_back(drive);
    return result;
}
}  // namespace

std::vector<DriveState> AppModel::sources() const {
    return filtered(drives_, [this](const DriveState& drive) { return role(drive) == DriveRole::source; });
}

std::vector<DriveState> AppModel::destinations() const {
    return filtered(drives_, [this](const DriveState& drive) { return role(drive) == DriveRole::destination; });
}

std::vector<DriveState> AppModel::otherDrives() const {
    return filtered(drives_, [this](const DriveState& drive) { return role(drive) == DriveRole::ignored; });
}

std::vector<DriveState> AppModel::activeDestinations() const {
    return filtered(drives_, [this](const DriveState& drive) {
        return role(drive) == DriveRole::destination && !excludedDestinationIDs_.contains(drive.info.id);
    });
}

bool AppModel::isSoundCard(const DriveState& drive) const {
    return drive.classification.camera && drive.classification.camera->isSound();
}

void AppModel::toggleDestination(const DriveState& drive) {
    std::set<std::string> excluded = excludedDestinationIDs_;
    if (!excluded.erase(drive.info.id)) excluded.insert(drive.info.id);
    assign(excludedDestinationIDs_, std::move(excluded), ModelField::excludedDestinationIDs);
    refreshPlans();
}

void AppModel::setRole(DriveRole role, const DriveState& drive) {
    if (!drive.info.uuid) {
        sessionRoles_[drive.info.id] = role;
        markChanged(ModelField::sessionRoles);
        reclassifyAll();
        return;
    }
    if (sessionRoles_.erase(drive.info.id)) markChanged(ModelField::sessionRoles);
    const std::string uuid = *drive.info.uuid;
    const LearnedDrive learned{drive.info.name, role, now()};
    changeSettings([&](AppSettings& settings) { settings.learnedDrives[uuid] = learned; });
}

void AppModel::forgetLearnedRole(const std::string& uuid) {
    changeSettings([&](AppSettings& settings) { settings.learnedDrives.erase(uuid); });
}

bool AppModel::isConnected(const ProjectCatalog::Drive& drive) const {
    const bool byName = drive.id.starts_with("name:");
    const std::string wantedName = byName ? Text::lowercased(drive.name) : std::string();
    return std::any_of(drives_.begin(), drives_.end(), [&](const DriveState& state) {
        if (state.info.identity() == drive.id) return true;
        return byName && Text::lowercased(state.info.name) == wantedName;
    });
}

}  // namespace quillane
