#include <QTimer>

#include "Detection/ByteFormat.h"
#include "Model/AppModel.h"
#include "Model/PathRules.h"
#include "Support/Counts.h"

namespace quillane {

void AppModel::finish(TransferResult result, RunningJob job, std::optional<ReportWriter::Info> report) {
    if (progressTimer_) {
        // Stopped now, not only when it is deleted: the next card's run may start its own first.
        progressTimer_->stop();
        progressTimer_->deleteLater();
        progressTimer_ = nullptr;
    }
    if (engine_) {
        replace(progress_, std::optional<TransferProgress>(engine_->tracker().snapshot()), ModelField::progress);
        // run() has returned: the thread ends at once.
        if (engineThread_.joinable()) engineThread_.join();
        engine_.reset();
    }
    replace(runningJob_, std::optional<RunningJob>(), ModelField::runningJob);
    activity_.reset();
    services_.feedback->setProgress(std::nullopt);
    replace(lastResult_, std::optional<TransferResult>(result), ModelField::lastResult);
    // The copy used room on its drives; every way on rebuilds the plans.
    refreshFreeSpace();

    if (demoState_ == DemoState::on && !result.cancelled) {
        for (const DestinationResult& destination : result.destinations) {
            demoFolders_.insert(destination.rollURL.string());
            demoFolders_.insert(destination.rollURL.string() + "/\u00B7filled");
        }
        for (std::size_t i = 0; i < transferDriveIDs_.size() && i < result.destinations.size(); ++i)
            demoUsedBytes_[transferDriveIDs_[i]] += result.totalBytes;
        updateDrives();
    }

    if (result.paused) {
        assign(transferState_, TransferState::paused, ModelField::transferState);
        // A pause that sleep asked for is now the paused transfer's.
        const bool bySleep = sleep_.pausingRun;
        setPaused(PausedTransfer{.job = job,
                                 .driveIDs = transferDriveIDs_,
                                 .copiedBytes = progress_ ? progress_->copiedBytes : 0,
                                 .bySleep = bySleep});
        sleep_.pausingRun = false;
        assign(rollOverride_, std::optional<std::string>(), ModelField::rollOverride);
        refreshPlans();
        services_.notifications->post(
            L("Transfer gepauzeerd", "Transfer paused"),
            job.roll + (bySleep ? L(" gaat verder zodra deze computer weer wakker is.",
                                    " continues when this computer wakes up.")
                                : L(" staat op pauze.", " is paused.")),
            NotificationKind::info);
        // Waking came before the engine had stopped: look for the drives now.
        if (sleep_.wakeCheckMissed) {
            sleep_.wakeCheckMissed = false;
            wakeCheck();
        }
        return;
    }

    // A pause that came after the run had finished stopped nothing: waking resumes nothing.
    setPausedBySleep(false);
    const bool ok = result.allSucceeded();
    if (result.cancelled) {
        assign(transferState_, TransferState::cancelled, ModelField::transferState);
        // The same card transferred again goes back into this roll folder.
        stoppedJobs_[job.fingerprint] = job;
        stoppedStore_.save(stoppedJobs_);
    } else {
        assign(transferState_, ok ? TransferState::succeeded : TransferState::failed, ModelField::transferState);
        if (ok) {
            transferredSourceIDs_.insert(job.sourceID);
            markChanged(ModelField::transferredSourceIDs);
        }
        TransferRecord record(job.project, job.roll, job.shootDay, job.sourceName, job.camera, job.fingerprint, result);
        for (std::size_t i = 0; i < record.destinations.size() && i < transferDrives_.size(); ++i) {
            if (!transferDrives_[i]) continue;
            record.destinations[i].volumeID = transferDrives_[i]->volumeID;
            record.destinations[i].capacity = transferDrives_[i]->capacity;
        }
        const UUID recordID = record.id;
        TransferRecord::insertIntoHistory(history_, std::move(record));
        markChanged(ModelField::history);
        historyStore_.save(history_);
        catalog_.add(recordID, job.files, result.hashes);
        if (job.project != demoProjectName)
            changeSettings([&](AppSettings& settings) { settings.rememberProject(job.project); });
        if (report) enrichReports(result, job.files, *report);

        if (queue_.empty() || !ok) {
            const std::string size = ByteFormat::string(result.totalBytes);
            const std::string ssds = countText(static_cast<std::int64_t>(result.destinations.size()), Counted::ssds);
            if (ok && result.verified)
                services_.notifications->post(L("Veilig overgezet", "Safely transferred"),
                                              job.roll + " · " + size + L(" staat geverifieerd op ", " is verified on ") +
                                                  ssds + L(". De kaart mag eruit.", ". The card can come out."),
                                              NotificationKind::success);
            else if (ok)
                services_.notifications->post(L("Overgezet", "Transferred"),
                                              job.roll + " · " + size + L(" is gekopieerd naar ", " is copied to ") +
                                                  ssds + L(", zonder controle.", ", without verification."),
                                              NotificationKind::success);
            else
                services_.notifications->post(
                    L("Transfer niet volledig gelukt", "Transfer did not fully succeed"),
                    job.roll + L(": open Quillane om te zien welke SSD een probleem had.",
                                 ": open Quillane to see which SSD had a problem."),
                    NotificationKind::failure);
            services_.feedback->requestAttention();
            if (settings_.playSoundWhenDone)
                services_.feedback->playSound(ok ? FeedbackSound::success : FeedbackSound::failure);
        }
        if (ok && settings_.ejectSourceWhenDone)
            for (const DriveState& drive : drives_)
                if (drive.info.id == job.sourceID) {
                    eject(drive);
                    break;
                }
    }

    assign(rollOverride_, std::optional<std::string>(), ModelField::rollOverride);
    refreshPlans();
    if (ok && !queue_.empty()) {
        startNextInQueue();
        return;
    }
    if (!queue_.empty()) {
        replace(queue_, std::vector<QueueItem>(), ModelField::queue);
        setAlert(AlertMessage(L("Wachtrij gepauzeerd", "Queue paused"),
                              L("De vorige transfer is niet volledig gelukt, dus de volgende kaart is niet "
                                "automatisch gestart.",
                                "The previous transfer did not fully succeed, so the next card was not started "
                                "automatically.")));
    }
}

void AppModel::enrichReports(const TransferResult& result, const std::vector<ScannedFile>& files,
                             const ReportWriter::Info& info) {
    const DestinationResult* source = nullptr;
    std::vector<DestinationResult> targets;
    for (const DestinationResult& destination : result.destinations) {
        if (!destination.reportURL) continue;
        if (!source && destination.succeeded()) source = &destination;
        targets.push_back(destination);
    }
    if (!source) return;
    auto done = [targets = std::move(targets), files, info, result](ReportWriter::Clips clips, bool stopped) {
        if (clips.empty() || stopped) return;
        for (const DestinationResult& target : targets) {
            try {
                // This run's own report, where the run wrote it: a report of an earlier run beside it
                // stays as it is, and no second report of this run appears.
                ReportWriter::rewrite(*target.reportURL, info, files, result.hashes, result, target.id, clips);
            } catch (...) {
                // The report the engine wrote stays.
            }
        }
    };
    services_.clipInspector->inspect(files, source->rollURL, std::move(done));
}

}  // namespace quillane
