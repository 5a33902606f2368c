#include <algorithm>

#include "Detection/CameraSignatures.h"
#include <QPointer>

#include "Model/AppModel.h"
#include "Model/DemoDrives.h"
#include "Model/PathRules.h"
#include "Support/Lang.h"
#include "Transfer/SourceScanner.h"

namespace quillane {
using PathRules::liesOn;
using PathRules::sameFolder;

const DriveState* AppModel::selectedSource() const {
    if (!selectedSourceID_) return nullptr;
    for (const DriveState& drive : drives_)
        if (drive.info.id == *selectedSourceID_ && role(drive) == DriveRole::source) return &drive;
    return nullptr;
}

void AppModel::selectSource(std::optional<std::string> id) {
    if (id == selectedSourceID_) return;
    assign(selectedSourceID_, std::move(id), ModelField::selectedSourceID);
    assign(rollOverride_, std::optional<std::string>(), ModelField::rollOverride);
    if (transferState_ != TransferState::running && transferState_ != TransferState::idle)
        assign(transferState_, TransferState::idle, ModelField::transferState);
    rescanSource();
}

std::optional<std::filesystem::path> AppModel::sourceRoot() const {
    const DriveState* source = selectedSource();
    if (!source) return std::nullopt;
    if (const auto chosen = sourceSubfolders_.find(source->info.id); chosen != sourceSubfolders_.end())
        return chosen->second;
    if (const auto reel = cardReelFolder()) return source->info.url / *reel;
    return source->info.url;
}

std::optional<std::string> AppModel::cardReelFolder() const {
    const DriveState* source = selectedSource();
    if (!source || isSoundCard(*source) || sourceSubfolders_.contains(source->info.id)) return std::nullopt;
    const std::vector<std::string> levels = FolderTemplate::segments(settings_.folderTemplate.pattern);
    if (levels.empty() || levels.back() != "{ROLL}" || !source->probe) return std::nullopt;
    return CameraSignatures::ownReelFolder(*source->probe);
}

bool AppModel::sourceRootIsSubfolder() const {
    const DriveState* source = selectedSource();
    return source && sourceSubfolders_.contains(source->info.id);
}

void AppModel::rescanSource() {
    if (scanTask_) *scanTask_ = true;
    replace(scan_, std::optional<SourceScan>(), ModelField::scan);
    scanningRoot_ = sourceRoot();
    const DriveState* source = selectedSource();
    if (!scanningRoot_ || !source) {
        assign(scanState_, ScanState::idle(), ModelField::scanState);
        refreshPlans();
        return;
    }
    if (PathRules::isDemoLocation(source->info.url)) {
        replace(scan_, std::optional<SourceScan>(DemoDrives::scan(*scanningRoot_, source->info.id, settings_.copyMode)),
                ModelField::scan);
        assign(scanState_, ScanState::ready(), ModelField::scanState);
        refreshPlans();
        if (paused_ && paused_->resumePending) continueResume();
        return;
    }
    assign(scanState_, ScanState::scanning(), ModelField::scanState);
    auto stop = std::make_shared<std::atomic<bool>>(false);
    scanTask_ = stop;
    const std::filesystem::path root = *scanningRoot_;
    const CopyMode mode = settings_.copyMode;
    std::set<std::string> extensions(settings_.videoExtensions.begin(), settings_.videoExtensions.end());
    const bool includeAudio = settings_.includeAudioWithVideo;
    inBackground([this, stop, root, mode, extensions = std::move(extensions), includeAudio]() -> std::function<void()> {
        std::optional<SourceScan> result;
        std::string error;
        try {
            result = SourceScanner::scan(root, mode, extensions, includeAudio, [stop] { return stop->load(); });
        } catch (const SourceScanError& failure) {
            error = failure.errorDescription();
        } catch (const std::exception& failure) {
            error = L("Kan de bron niet lezen: ", "Can't read the source: ") + root.string();
        }
        return [this, stop, result = std::move(result), error = std::move(error)]() mutable {
            if (*stop) return;
            scanFinished(std::move(result), std::move(error));
        };
    });
}

void AppModel::scanFinished(std::optional<SourceScan> result, std::string error) {
    if (!result) {
        assign(scanState_, ScanState::failed(std::move(error)), ModelField::scanState);
        refreshPlans();
        return;
    }
    replace(scan_, std::move(result), ModelField::scan);
    assign(scanState_, ScanState::ready(), ModelField::scanState);
    refreshPlans();
    if (paused_ && paused_->resumePending) continueResume();
}

void AppModel::rescanIfRootChanged() {
    const std::optional<std::filesystem::path> root = sourceRoot();
    const bool same = root.has_value() == scanningRoot_.has_value() && (!root || sameFolder(*root, *scanningRoot_));
    if (!same) rescanSource();
}

void AppModel::chooseSourceFolder() {
    const DriveState* source = selectedSource();
    if (!source) return;
    const DriveInfo card = source->info;
    FolderPickRequest request;
    request.startFolder = card.url;
    request.prompt = L("Kies map", "Choose folder");
    request.message = L("Kies welke map van ", "Choose which folder of ") + card.name +
                      L(" je wilt overzetten", " to transfer");
    QPointer<AppModel> self(this);
    services_.folderPicker->pick(request, [self, card](std::optional<std::filesystem::path> folder) {
        if (!self || !folder) return;
        // The card may have gone, or another may be selected, while the picker was open.
        const DriveState* selected = self->selectedSource();
        if (!selected || selected->info.id != card.id) return;
        if (!liesOn(*folder, card.url)) {
            self->setAlert(AlertMessage(L("Andere schijf", "Different drive"),
                                        L("Kies een map op ", "Choose a folder on ") + card.name + "."));
            return;
        }
        if (sameFolder(*folder, card.url))
            self->sourceSubfolders_.erase(card.id);
        else
            self->sourceSubfolders_[card.id] = *folder;
        self->markChanged(ModelField::sourceSubfolders);
        self->rescanSource();
    });
}

void AppModel::useWholeCard() {
    const DriveState* source = selectedSource();
    if (!source) return;
    if (sourceSubfolders_.erase(source->info.id)) markChanged(ModelField::sourceSubfolders);
    rescanSource();
}

}  // namespace quillane
