#include <algorithm>

#include <QPointer>
#include <QTimer>

#include "Model/AppModel.h"
#include "Support/Text.h"

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
    // A running copy is stopped, not discarded: its state stays with its engine.
    if (engine_ || transferState_ == TransferState::running) return;
    resumingJob_.reset();
    replace(pausedJob_, std::optional<RunningJob>(), ModelField::pausedJob);
    assign(pausedDriveIDs_, std::vector<std::string>(), ModelField::pausedDriveIDs);
    assign(pausedBySleep_, false, ModelField::pausedBySleep);
    replace(queue_, std::vector<QueueItem>(), ModelField::queue);
    assign(transferState_, TransferState::idle, ModelField::transferState);
    replace(lastResult_, std::optional<TransferResult>(), ModelField::lastResult);
    replace(progress_, std::optional<TransferProgress>(), ModelField::progress);
    refreshPlans();
}

void AppModel::resumeTransfer() {
    if (!pausedJob_ || transferState_ == TransferState::running || engine_) return;
    const RunningJob job = *pausedJob_;
    if (!pausedDriesConnected()) {
        std::string names;
        for (const std::string& name : pausedMissingDrives()) names += (names.empty() ? "" : ", ") + name;
        AlertMessage notice(L("Nog niet alles is aangesloten", "Not everything is connected yet"),
                            L("Sluit ", "Reconnect ") + names + L(" weer aan om verder te gaan.", " to continue."));
        // Gone once the drives it names are back (or the pause is over).
        QPointer<AppModel> self(this);
        notice.applies = [self] { return self && self->pausedJob_ && !self->pausedDriesConnected(); };
        setAlert(std::move(notice));
        return;
    }
    assign(pausedBySleep_, false, ModelField::pausedBySleep);
    std::set<std::string> excluded;
    for (const DriveState& drive : destinations())
        if (std::find(pausedDriveIDs_.begin(), pausedDriveIDs_.end(), drive.info.id) == pausedDriveIDs_.end())
            excluded.insert(drive.info.id);
    assign(excludedDestinationIDs_, std::move(excluded), ModelField::excludedDestinationIDs);
    resumePending_ = true;
    if (selectedSourceID_ == job.sourceID && scan_ && scanState_.is(ScanState::Kind::ready)) {
        rescanSource();
        return;
    }
    selectSource(job.sourceID);
    // Selecting the card ends other states, but the job stays paused until its engine runs.
    if (pausedJob_) assign(transferState_, TransferState::paused, ModelField::transferState);
}

void AppModel::continueResume() {
    resumePending_ = false;
    if (!pausedJob_ || !scan_) return;
    const RunningJob job = *pausedJob_;
    // The resume follows the paused card: the scan of a card looked at meanwhile ends the resume
    // and leaves the pause as it is.
    if (selectedSourceID_ != job.sourceID) return;
    if (scan_->fingerprint != job.fingerprint) {
        setAlert(AlertMessage(L("Dit is een andere kaart", "This is a different card"),
                              L("De kaart is veranderd sinds de pauze. Zet deze kaart over als nieuwe roll, of sluit "
                                "de oorspronkelijke kaart aan.",
                                "The card has changed since the pause. Transfer it as a new roll, or connect the "
                                "original card.")));
        discardPausedTransfer();
        return;
    }
    // The job goes on as it was: same project, roll, shoot day and roll folders, whatever today is.
    resumingJob_ = job;
    assign(rollOverride_, std::optional<std::string>(job.roll), ModelField::rollOverride);
    resumeFromBytes_ = pausedCopiedBytes_;
    skipResumePrompt_ = true;
    refreshPlans();
    requestFolders(true, true);
}

void AppModel::handleWillSleep() {
    asleep_ = true;
    if (transferState_ == TransferState::running && engine_) {
        assign(pausedBySleep_, true, ModelField::pausedBySleep);
        engine_->pause();
        engine_->waitUntilFinished(services_.timings.sleepWaitSeconds);
        return;
    }
    // A resume under way (its rescan, the wake wait, the wait for a drive) waits for the next
    // wake: the rescan ends without starting anything, and the wake resumes once the drives are there.
    if (pausedJob_ && !engine_ && (resumePending_ || pausedBySleep_)) {
        resumePending_ = false;
        assign(pausedBySleep_, true, ModelField::pausedBySleep);
    }
}

void AppModel::handleDidWake() {
    asleep_ = false;
    if (!pausedBySleep_) return;
    QPointer<AppModel> self(this);
    const int round = ++wakeRound_;
    QTimer::singleShot(services_.timings.wakeCheck, this, [self, round] {
        // Only the wait of the latest wake counts, and none once the computer sleeps again.
        if (!self || self->wakeRound_ != round || self->asleep_ || !self->pausedBySleep_) return;
        // The engine may still be stopping: finish looks again when its pause arrives.
        if (self->transferState_ != TransferState::paused) {
            self->wakeCheckMissed_ = self->transferState_ == TransferState::running;
            return;
        }
        self->wakeCheck();
    });
}

void AppModel::wakeCheck() {
    if (asleep_ || !pausedBySleep_ || transferState_ != TransferState::paused) return;
    if (pausedDriesConnected()) {
        resumeTransfer();
        return;
    }
    std::string names;
    for (const std::string& name : pausedMissingDrives()) names += (names.empty() ? "" : ", ") + name;
    services_.notifications->post(L("Transfer wacht op je schijven", "Transfer is waiting for your drives"),
                                  L("Sluit ", "Reconnect ") + names +
                                      L(" weer aan; Quillane gaat dan vanzelf verder.",
                                        "; Quillane then continues by itself."),
                                  NotificationKind::info);
}

std::optional<RunningJob> AppModel::continuedJob() const {
    const DriveState* source = selectedSource();
    if (!source) return std::nullopt;
    if (resumingJob_ && resumingJob_->sourceID == source->info.id) return resumingJob_;
    if (!scan_) return std::nullopt;
    const auto stopped = stoppedJobs_.find(scan_->fingerprint);
    if (stopped == stoppedJobs_.end() || Text::lowercased(stopped->second.project) != Text::lowercased(projectName_))
        return std::nullopt;
    return stopped->second;
}

}  // namespace quillane
