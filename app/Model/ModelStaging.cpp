#include "Model/ModelStaging.h"

#include <algorithm>

namespace quillane {
namespace {

// A staged progress counts the job's files as the engine's tracker does: a progress without a
// file count gets the job's files, the bytes its fraction stands for (copying comes first, a
// read-back second when the job verifies) and the files wholly copied by then; the file being
// copied is the next one. A progress that names its counts keeps them.
TransferProgress countedFiles(TransferProgress progress, const std::vector<ScannedFile>& files, bool verifies) {
    if (progress.filesTotal > 0 || files.empty()) return progress;
    std::int64_t total = 0;
    for (const ScannedFile& file : files) total += std::max<std::int64_t>(file.size, 0);
    if (progress.totalBytes == 0) progress.totalBytes = total;
    if (progress.copiedBytes == 0) {
        const double copyShare = progress.phase >= TransferPhase::verifying
                                     ? 1.0
                                     : std::clamp(progress.fraction * (verifies ? 2.0 : 1.0), 0.0, 1.0);
        progress.copiedBytes = static_cast<std::int64_t>(static_cast<double>(progress.totalBytes) * copyShare);
    }
    progress.filesTotal = static_cast<int>(files.size());
    std::int64_t through = 0;
    int done = 0;
    for (const ScannedFile& file : files) {
        through += std::max<std::int64_t>(file.size, 0);
        if (through > progress.copiedBytes) break;
        ++done;
    }
    progress.filesDone = done;
    if (progress.currentFile.empty() && done < progress.filesTotal) progress.currentFile = files[done].relativePath;
    return progress;
}

}  // namespace

ModelStaging& ModelStaging::volumes(const std::vector<DriveInfo>& infos) {
    model_.realDriveInfos_ = infos;
    model_.updateDrives();
    return *this;
}

ModelStaging& ModelStaging::drives(std::vector<DriveState> drives) {
    model_.replace(model_.drives_, std::move(drives), ModelField::drives);
    return *this;
}

ModelStaging& ModelStaging::project(const std::string& name) {
    model_.assign(model_.projectName_, name, ModelField::projectName);
    model_.refreshPlans();
    return *this;
}

ModelStaging& ModelStaging::selectedSource(std::optional<std::string> id) {
    model_.assign(model_.selectedSourceID_, std::move(id), ModelField::selectedSourceID);
    return *this;
}

ModelStaging& ModelStaging::scan(std::optional<SourceScan> scan, ScanState state) {
    if (model_.scanTask_) *model_.scanTask_ = true;
    model_.scanningRoot_ = scan ? std::optional(scan->root) : std::nullopt;
    model_.replace(model_.scan_, std::move(scan), ModelField::scan);
    model_.assign(model_.scanState_, std::move(state), ModelField::scanState);
    model_.refreshPlans();
    return *this;
}

ModelStaging& ModelStaging::history(std::vector<TransferRecord> records) {
    model_.assign(model_.history_, std::move(records), ModelField::history);
    return *this;
}

ModelStaging& ModelStaging::queue(std::vector<QueueItem> items) {
    model_.replace(model_.queue_, std::move(items), ModelField::queue);
    return *this;
}

ModelStaging& ModelStaging::plans(std::vector<DestinationPlan> plans) {
    model_.replace(model_.plans_, std::move(plans), ModelField::plans);
    return *this;
}

RunningJob ModelStaging::jobNow() const {
    RunningJob job;
    job.project = model_.projectName_;
    job.roll = model_.rollName_;
    job.shootDay = model_.shootDay();
    if (const DriveState* source = model_.selectedSource()) {
        job.sourceID = source->info.id;
        job.sourceName = source->info.name;
        if (source->classification.camera) job.camera = source->classification.camera->label();
    }
    if (model_.scan_) {
        job.fingerprint = model_.scan_->fingerprint;
        job.files = model_.scan_->files;
    }
    job.path = model_.targetPath_;
    return job;
}

ModelStaging& ModelStaging::transfer(TransferState state, std::optional<TransferProgress> progress,
                                     std::optional<TransferResult> result) {
    AppModel& m = model_;
    std::vector<std::string> ids;
    std::vector<std::filesystem::path> rolls;
    for (const DestinationPlan& plan : m.plans_) {
        ids.push_back(plan.driveID);
        rolls.push_back(plan.rollURL);
    }
    m.assign(m.transferDriveIDs_, ids, ModelField::transferDriveIDs);
    m.assign(m.transferRollURLs_, rolls, ModelField::transferRollURLs);
    m.assign(m.transferVerifies_, m.settings_.verifyAfterCopy, ModelField::transferVerifies);
    const RunningJob job = jobNow();
    m.replace(m.runningJob_, state == TransferState::running ? std::optional(job) : std::nullopt,
              ModelField::runningJob);
    m.setPaused(state == TransferState::paused ? std::optional(PausedTransfer{.job = job, .driveIDs = ids}) : std::nullopt);
    if (progress) progress = countedFiles(std::move(*progress), job.files, m.transferVerifies_);
    m.replace(m.progress_, std::move(progress), ModelField::progress);
    m.replace(m.lastResult_, std::move(result), ModelField::lastResult);
    m.assign(m.transferState_, state, ModelField::transferState);
    return *this;
}

ModelStaging& ModelStaging::progress(std::optional<TransferProgress> progress) {
    model_.replace(model_.progress_, std::move(progress), ModelField::progress);
    return *this;
}

ModelStaging& ModelStaging::pausedBySleep(bool bySleep) {
    model_.setPausedBySleep(bySleep);
    return *this;
}

}  // namespace quillane
