#include <QPointer>
#include <QTimer>

#include "Detection/ByteFormat.h"
#include "Model/AppModel.h"
#include "Transfer/DestinationFiles.h"
#include "Model/PathRules.h"

namespace quillane {

void AppModel::startEngine() {
    // One transfer at a time, whatever path led here.
    if (engine_ || transferState_ == TransferState::running || !scan_) return;
    const DriveState* source = selectedSource();
    if (!source) return;
    // A paused card goes on as its paused job (same roll, same folders), never as a fresh roll
    // beside it, whichever sheet or alert led here.
    if (paused_ && paused_->job.sourceID == source->info.id && !resumingFor(source->info.id)) {
        resumeTransfer();
        return;
    }
    const std::optional<RunningJob> continued = continuedJob();

    for (const DestinationPlan& plan : plans_) {
        const std::optional<std::int64_t> free = services_.space->availableBytes(plan.baseURL);
        if (!free) continue;
        // The plan's room leaves out what a resumed copy already put there.
        const std::int64_t needed = plan.requiredBytes;
        if (*free >= needed) continue;
        setAlert(AlertMessage(L("Te weinig ruimte", "Not enough space"),
                              plan.driveName + L(" heeft ", " has ") + ByteFormat::string(*free) +
                                  L(" vrij, nodig: ", " free, needed: ") + ByteFormat::string(needed) + "."));
        replace(queue_, std::vector<QueueItem>(), ModelField::queue);
        return;
    }

    RunningJob job;
    job.project = continued ? continued->project : projectName_;
    job.roll = rollName_;
    job.shootDay = continued ? continued->shootDay : shootDay();
    job.sourceID = source->info.id;
    job.sourceName = source->info.name;
    if (source->classification.camera) job.camera = source->classification.camera->label();
    job.fingerprint = scan_->fingerprint;
    job.files = scan_->files;
    job.path = targetPath_;

    TransferJob transfer;
    transfer.projectName = job.project;
    transfer.rollName = job.roll;
    transfer.sourceName = job.sourceName;
    transfer.sourceRoot = scan_->root;
    transfer.files = scan_->files;
    transfer.directories = scan_->directories;
    for (const DestinationPlan& plan : plans_) {
        TransferDestination destination{plan.driveName, plan.rollURL};
        // Pinned to the drive as planned: a drive pulled in the meantime leaves a bare mount
        // folder on the system disk, which the engine then refuses to fill.
        for (const DriveState& drive : drives_)
            if (drive.info.id == plan.driveID) destination.volume = drive.volume;
        transfer.destinations.push_back(std::move(destination));
    }
    transfer.algorithm = settings_.checksum;
    transfer.verify = settings_.verifyAfterCopy;
    transfer.writeMHL = settings_.writeMHL;
    transfer.mhlFormat = settings_.mhlFormat;
    std::optional<ReportWriter::Info> report;
    if (settings_.writeReport) report = ReportWriter::Info{job.project, job.roll, job.shootDay, job.sourceName, job.camera};
    transfer.report = report;

    if (settings_.notifications) services_.notifications->requestPermission();

    EngineFactory::Options options;
    options.simulated = PathRules::isDemoLocation(source->info.url);
    options.simulatedSeconds = services_.timings.demoTransferSeconds;
    // A resumed job counts what it had copied before its pause as done.
    if (const PausedTransfer* resumed = resumingFor(source->info.id)) options.alreadyCopied = resumed->copiedBytes;
    std::shared_ptr<TransferTask> engine = services_.engines->make(std::move(transfer), options);
    engine_ = engine;
    // The job carries its roll from here.
    chosenRoll_.reset();
    // The paused or stopped job goes on in this run: it is no longer waiting.
    if (paused_) setPaused(std::nullopt);
    if (stoppedJobs_.erase(job.fingerprint) > 0) stoppedStore_.save(stoppedJobs_);

    std::vector<std::string> ids;
    std::vector<std::filesystem::path> rolls;
    transferDrives_.clear();
    for (const DestinationPlan& plan : plans_) {
        ids.push_back(plan.driveID);
        rolls.push_back(plan.rollURL);
        std::optional<RecordedDrive> recorded;
        for (const DriveState& drive : drives_)
            if (drive.info.id == plan.driveID) recorded = RecordedDrive{drive.info.identity(), drive.info.totalCapacity};
        transferDrives_.push_back(std::move(recorded));
    }
    replace(runningJob_, std::optional<RunningJob>(job), ModelField::runningJob);
    assign(transferDriveIDs_, ids, ModelField::transferDriveIDs);
    assign(transferRollURLs_, rolls, ModelField::transferRollURLs);
    assign(transferVerifies_, settings_.verifyAfterCopy, ModelField::transferVerifies);
    replace(lastResult_, std::optional<TransferResult>(), ModelField::lastResult);
    assign(transferState_, TransferState::running, ModelField::transferState);
    replace(progress_, std::optional<TransferProgress>(engine->tracker().snapshot()), ModelField::progress);
    activity_ = services_.power->holdAwake(L("Footage wordt overgezet", "Transferring footage"));
    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(services_.timings.progressTick);
    connect(progressTimer_, &QTimer::timeout, this, &AppModel::tick);
    progressTimer_->start();
    refreshPlans();
    if (!isSoundCard(*source)) queueSoundCards();

    std::shared_ptr<Anchor> anchor = anchor_;
    engineThread_ = std::thread([this, anchor, engine, job = std::move(job), report]() mutable {
        TransferResult result = engine->run();
        postBack(anchor, [this, result = std::move(result), job = std::move(job), report = std::move(report)]() mutable {
            finish(std::move(result), std::move(job), std::move(report));
        });
    });
}

void AppModel::tick() {
    if (!engine_) return;
    replace(progress_, std::optional<TransferProgress>(engine_->tracker().snapshot()), ModelField::progress);
    services_.feedback->setProgress(progress_->fraction);
}

void AppModel::joinEngine() {
    if (engine_) engine_->cancel();
    if (engineThread_.joinable()) engineThread_.join();
}

void AppModel::cancelTransfer() {
    QPointer<AppModel> self(this);
    AlertMessage question(
        L("Transfer stoppen?", "Stop transfer?"),
        L("Bestanden die al klaar zijn blijven staan. Je kunt later hervatten: wat er al staat wordt dan "
          "gecontroleerd in plaats van opnieuw gekopieerd.",
          "Files that are already done will stay. You can resume later: what is already there will be checked "
          "instead of copied again."),
        L("Stoppen", "Stop"), [self] {
            if (!self) return;
            self->replace(self->queue_, std::vector<QueueItem>(), ModelField::queue);
            if (self->engine_) self->engine_->cancel();
        });
    // Asked of this run only: once it has ended, there is nothing left to stop.
    const TransferTask* engine = engine_.get();
    question.applies = [self, engine] {
        return self && self->transferState_ == TransferState::running && self->engine_.get() == engine;
    };
    setAlert(std::move(question));
}

}  // namespace quillane
