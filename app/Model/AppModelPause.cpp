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

void AppModel::setPaused(std::optional<PausedTransfer> paused) {
    const bool bySleep = pausedBySleep();
    const bool sameDrives = (paused ? paused->driveIDs : std::vector<std::string>()) ==
                            (paused_ ? paused_->driveIDs : std::vector<std::string>());
    paused_ = std::move(paused);
    markChanged(ModelField::pausedJob);
    if (!sameDrives) markChanged(ModelField::pausedDriveIDs);
    if (pausedBySleep() != bySleep) markChanged(ModelField::pausedBySleep);
}

void AppModel::setPausedBySleep(bool bySleep) {
    const bool before = pausedBySleep();
    if (paused_) paused_->bySleep = bySleep;
    else sleep_.pausingRun = bySleep;
    if (pausedBySleep() != before) markChanged(ModelField::pausedBySleep);
}

const PausedTransfer* AppModel::resumingFor(const std::string& sourceID) const {
    return paused_ && paused_->resuming && paused_->job.sourceID == sourceID ? &*paused_ : nullptr;
}

bool AppModel::pausedDriesConnected() const {
    if (!paused_ || !connected(drives_, paused_->job.sourceID)) return false;
    return std::all_of(paused_->driveIDs.begin(), paused_->driveIDs.end(),
                       [&](const std::string& id) { return connected(drives_, id); });
}

std::vector<std::string> AppModel::pausedMissingDrives() const {
    std::vector<std::string> missing;
    if (!paused_) return missing;
    if (!connected(drives_, paused_->job.sourceID)) missing.push_back(paused_->job.sourceName);
    for (std::size_t i = 0; i < paused_->driveIDs.size(); ++i) {
        if (connected(drives_, paused_->driveIDs[i])) continue;
        const bool named = lastResult_ && i < lastResult_->destinations.size();
        missing.push_back(named ? lastResult_->destinations[i].name : "SSD");
    }
    return missing;
}

void AppModel::pauseTransfer() {
    // A pause by hand is never resumed by itself.
    setPausedBySleep(false);
    if (engine_) engine_->pause();
}

void AppModel::discardPausedTransfer() {
    // A running copy is stopped, not discarded: its state stays with its engine.
    if (engine_ || transferState_ == TransferState::running) return;
    sleep_.pausingRun = false;
    setPaused(std::nullopt);
    replace(queue_, std::vector<QueueItem>(), ModelField::queue);
    assign(transferState_, TransferState::idle, ModelField::transferState);
    replace(lastResult_, std::optional<TransferResult>(), ModelField::lastResult);
    replace(progress_, std::optional<TransferProgress>(), ModelField::progress);
    refreshPlans();
}

std::optional<std::string> AppModel::resumeWaitsFor() const {
    if (!paused_ || pausedDriesConnected()) return std::nullopt;
    std::string names;
    for (const std::string& name : pausedMissingDrives()) names += (names.empty() ? "" : ", ") + name;
    return L("Sluit ", "Reconnect ") + names + L(" weer aan om verder te gaan.", " to continue.");
}

void AppModel::resumeTransfer() {
    if (!paused_ || transferState_ == TransferState::running || engine_) return;
    const RunningJob job = paused_->job;
    if (const std::optional<std::string> waitsFor = resumeWaitsFor()) {
        AlertMessage notice(L("Nog niet alles is aangesloten", "Not everything is connected yet"), *waitsFor);
        // Gone once the drives it names are back (or the pause is over).
        QPointer<AppModel> self(this);
        notice.applies = [self] { return self && self->paused_ && !self->pausedDriesConnected(); };
        setAlert(std::move(notice));
        return;
    }
    setPausedBySleep(false);
    const std::vector<std::string>& ids = paused_->driveIDs;
    std::set<std::string> excluded;
    for (const DriveState& drive : destinations())
        if (std::find(ids.begin(), ids.end(), drive.info.id) == ids.end()) excluded.insert(drive.info.id);
    assign(excludedDestinationIDs_, std::move(excluded), ModelField::excludedDestinationIDs);
    paused_->resumePending = true;
    if (selectedSourceID_ == job.sourceID && scan_ && scanState_.is(ScanState::Kind::ready)) {
        rescanSource();
        return;
    }
    selectSource(job.sourceID);
    // Selecting the card ends other states, but the job stays paused until its engine runs.
    if (paused_) assign(transferState_, TransferState::paused, ModelField::transferState);
}

void AppModel::continueResume() {
    if (!paused_) return;
    paused_->resumePending = false;
    if (!scan_) return;
    const RunningJob job = paused_->job;
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
    paused_->resuming = true;
    assign(rollOverride_, std::optional<std::string>(job.roll), ModelField::rollOverride);
    refreshPlans();
    requestFolders(true, true);
}

void AppModel::handleWillSleep() {
    sleep_.asleep = true;
    if (transferState_ == TransferState::running && engine_) {
        setPausedBySleep(true);
        engine_->pause();
        engine_->waitUntilFinished(services_.timings.sleepWaitSeconds);
        return;
    }
    // A resume under way (its rescan, the wake wait, the wait for a drive) waits for the next
    // wake: the rescan ends without starting anything, and the wake resumes once the drives are there.
    if (paused_ && !engine_ && (paused_->resumePending || paused_->bySleep)) {
        paused_->resumePending = false;
        setPausedBySleep(true);
    }
}

void AppModel::handleDidWake() {
    sleep_.asleep = false;
    if (!pausedBySleep()) return;
    QPointer<AppModel> self(this);
    const int round = ++sleep_.wakeRound;
    QTimer::singleShot(services_.timings.wakeCheck, this, [self, round] {
        // Only the wait of the latest wake counts, and none once the computer sleeps again.
        if (!self || self->sleep_.wakeRound != round || self->sleep_.asleep || !self->pausedBySleep()) return;
        // The engine may still be stopping: finish looks again when its pause arrives.
        if (self->transferState_ != TransferState::paused) {
            self->sleep_.wakeCheckMissed = self->transferState_ == TransferState::running;
            return;
        }
        self->wakeCheck();
    });
}

void AppModel::wakeCheck() {
    if (sleep_.asleep || !pausedBySleep() || transferState_ != TransferState::paused) return;
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
    if (const PausedTransfer* resuming = resumingFor(source->info.id)) return resuming->job;
    if (!scan_) return std::nullopt;
    const auto stopped = stoppedJobs_.find(scan_->fingerprint);
    if (stopped == stoppedJobs_.end() || Text::lowercased(stopped->second.project) != Text::lowercased(projectName_))
        return std::nullopt;
    return stopped->second;
}

}  // namespace quillane
