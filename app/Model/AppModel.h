#pragma once
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <QObject>

#include "Detection/DriveClassifier.h"
#include "Detection/DriveRole.h"
#include "Model/AlertMessage.h"
#include "Model/DestinationPlan.h"
#include "Model/DriveState.h"
#include "Model/FolderRequest.h"
#include "Model/ModelField.h"
#include "Model/ModelServices.h"
#include "Model/ModelStates.h"
#include "Model/PausedTransfer.h"
#include "Model/TransferJobs.h"
#include "Settings/AppSettings.h"
#include "Settings/ClipCatalog.h"
#include "Model/StoppedJobs.h"
#include "Settings/JSONStore.h"
#include "Settings/ProjectCatalog.h"
#include "Settings/TransferRecord.h"
#include "Template/TemplateContext.h"
#include "Transfer/ReportInfo.h"
#include "Transfer/SourceScan.h"
#include "Transfer/TransferProgress.h"
#include "Transfer/TransferResult.h"
#include "Transfer/TransferTask.h"
#include "Updates/ReleaseInfo.h"

class QTimer;

namespace quillane {

// The application: every piece of state the windows show and the card-offload workflow keeps
// between the user's actions, on the Qt main thread. Views read the fields and call the
// operations; `changed` names the fields that changed, once per event-loop turn. Assigning an
// equal value to a field notifies nothing; drives, plans, alert, folderRequest, progress,
// lastResult, runningJob, the paused transfer and queue notify on every assignment.
//
// One class in several files, one per concern (AppModel*.cpp).
class AppModel final : public QObject {
    Q_OBJECT

public:
    using QueueItem = quillane::QueueItem;
    using RunningJob = quillane::RunningJob;

    // Where a found clip lies on one destination of its transfer.
    struct ClipLocation {
        std::string name;
        std::filesystem::path url;
        bool online = false;
    };
    // A sound card that follows the selected camera card, with the roll it would get.
    struct SoundCompanion {
        std::string name;
        std::string roll;
    };

    // The demo mode's project name, never remembered among the recent projects.
    static constexpr const char* demoProjectName = "PROJECTNAME";
    // The room a destination must have beyond the card's size before a transfer may start.
    static constexpr std::int64_t spaceMargin = 64ll << 20;

    // No store directory: the default store (legacy folders are migrated first). Starts nothing.
    explicit AppModel(std::optional<std::filesystem::path> storeDirectory, ModelServices services = {},
                      QObject* parent = nullptr);
    // Stops and joins every probe, scan and transfer the model started.
    ~AppModel() override;
    AppModel(const AppModel&) = delete;
    AppModel& operator=(const AppModel&) = delete;

    // Watches volumes, schedules update checks (not in snapshot mode), observes sleep and wake.
    // Once; later calls do nothing.
    void start();
    // Emits the pending change notification now instead of at the next event-loop turn.
    void flushChanges();

    // --- Persisted state
    const AppSettings& settings() const { return settings_; }
    // An equal value does nothing; another one is saved and reacted to.
    void setSettings(AppSettings settings);
    // Changes settings in place, with the same effect as setSettings.
    void changeSettings(const std::function<void(AppSettings&)>& change);
    const std::vector<TransferRecord>& history() const { return history_; }
    const std::string& projectName() const { return projectName_; }
    ClipCatalog& catalog() { return catalog_; }
    const ModelServices& services() const { return services_; }

    // --- Sheets, popovers and alerts
    bool showProjectSheet() const { return showProjectSheet_; }
    void setShowProjectSheet(bool show);
    const std::optional<AlertMessage>& alert() const { return alert_; }
    void setAlert(std::optional<AlertMessage> alert);
    // Closes the alert with this id (when it is still the one shown), then runs its action when
    // asked to. An action that raises a new alert keeps the new one.
    void closeAlert(const UUID& id, bool runAction);
    const std::optional<FolderRequest>& folderRequest() const { return folderRequest_; }
    // Closes the folder sheet without creating anything.
    void dismissFolderRequest();

    // --- Update offer
    const std::optional<ReleaseInfo>& availableUpdate() const { return availableUpdate_; }
    void setAvailableUpdate(std::optional<ReleaseInfo> release);
    bool showUpdate() const { return showUpdate_; }
    void setShowUpdate(bool show);
    void checkForUpdates(bool manual);
    void downloadUpdate();

    // --- Demo mode, eject and file-manager actions
    DemoState demoState() const { return demoState_; }
    void startDemo();
    void stopDemo();
    void addDemoHistory(const std::vector<TransferRecord>& records);
    // True (after showing the demo notice) when the location belongs to the demo drives.
    bool showDemoFolderNotice(const std::filesystem::path& location);
    void openFolder(const std::filesystem::path& folder);
    void showInFileManager(const std::filesystem::path& item);
    // Opens a transfer's HTML report with the desktop's program for web pages; says so when none could.
    void openReport(const std::filesystem::path& report);
    void eject(const DriveState& drive);

    // --- Drives and roles
    const std::vector<DriveState>& drives() const { return drives_; }
    DriveRole role(const DriveState& drive) const;
    std::vector<DriveState> sources() const;
    std::vector<DriveState> destinations() const;
    std::vector<DriveState> otherDrives() const;
    std::vector<DriveState> activeDestinations() const;
    const std::set<std::string>& excludedDestinationIDs() const { return excludedDestinationIDs_; }
    const std::map<std::string, DriveRole>& sessionRoles() const { return sessionRoles_; }
    void toggleDestination(const DriveState& drive);
    void setRole(DriveRole role, const DriveState& drive);
    void forgetLearnedRole(const std::string& uuid);
    bool isConnected(const ProjectCatalog::Drive& drive) const;

    // --- Source selection and scan
    const std::optional<std::string>& selectedSourceID() const { return selectedSourceID_; }
    // The selected card among the sources; null when there is none.
    const DriveState* selectedSource() const;
    void selectSource(std::optional<std::string> id);
    const std::map<std::string, std::filesystem::path>& sourceSubfolders() const { return sourceSubfolders_; }
    std::optional<std::filesystem::path> sourceRoot() const;
    std::optional<std::string> cardReelFolder() const;
    bool sourceRootIsSubfolder() const;
    const std::optional<SourceScan>& scan() const { return scan_; }
    const ScanState& scanState() const { return scanState_; }
    void rescanSource();
    void rescanIfRootChanged();
    void chooseSourceFolder();
    void useWholeCard();

    // --- Roll, shoot day and plans
    const std::string& cameraLetter() const { return cameraLetter_; }
    const std::string& rollName() const { return rollName_; }
    RollOrigin rollOrigin() const { return rollOrigin_; }
    const std::optional<std::string>& rollOverride() const { return rollOverride_; }
    const std::optional<int>& shootDayOverride() const { return shootDayOverride_; }
    int shootDay() const;
    void stepShootDay(int delta);
    void stepRoll(int delta);
    void pickCameraLetter(const std::string& letter);
    void clearRollOverride();
    void setProject(const std::string& name);
    // Roll names already in use for the next card; sound rolls when asked, or when the selected
    // card is a sound card.
    std::vector<std::string> usedRollNames(std::optional<bool> sound = std::nullopt) const;
    // The planned roll is in use already: in the project's history, the queue or the running job,
    // or as a roll folder holding files on an active destination. The card's own interrupted roll
    // is its own to go on in.
    bool plannedRollTaken() const;
    std::optional<TransferRecord> previousTransfer() const;
    std::vector<ClipLocation> locations(const ClipHit& hit) const;
    const std::vector<DestinationPlan>& plans() const { return plans_; }
    const std::vector<std::string>& targetPath() const { return targetPath_; }
    const DestinationPlan* plan(const DriveState& drive) const;
    void refreshPlans();
    void chooseDestinationBase(const DriveState& drive);

    // --- Starting a transfer
    std::optional<std::string> blockReason() const;
    std::vector<std::filesystem::path> missingFolders() const;
    // What TRANSFER does now, for the button, the menu and requestTransfer alike: the paused
    // transfer goes on while it is paused or its card is selected again; otherwise the selected
    // card starts.
    bool transferResumes() const;
    // Whether TRANSFER is worth pressing: a resume always answers (it goes on, or names the drives
    // it waits for); a start only when nothing blocks it.
    bool canRequestTransfer() const;
    void requestTransfer();
    void requestFolders(bool thenTransfer, bool silently);
    void approveFolderRequest();

    // --- Running, finishing, queue
    TransferState transferState() const { return transferState_; }
    const std::optional<TransferProgress>& progress() const { return progress_; }
    const std::optional<TransferResult>& lastResult() const { return lastResult_; }
    const std::vector<std::string>& transferDriveIDs() const { return transferDriveIDs_; }
    bool transferVerifies() const { return transferVerifies_; }
    const std::vector<std::filesystem::path>& transferRollURLs() const { return transferRollURLs_; }
    const std::optional<RunningJob>& runningJob() const { return runningJob_; }
    const std::vector<QueueItem>& queue() const { return queue_; }
    const std::set<std::string>& transferredSourceIDs() const { return transferredSourceIDs_; }
    void cancelTransfer();
    bool canEnqueue() const;
    void enqueueSelected();
    void removeFromQueue(const UUID& id);
    void dismissResult();
    std::vector<SoundCompanion> soundCompanions() const;

    // --- Pause and resume
    // The transfer that waits paused; none when nothing is paused.
    const std::optional<PausedTransfer>& pausedTransfer() const { return paused_; }
    // Sleep paused the paused transfer, or asked the running copy to pause.
    bool pausedBySleep() const { return sleep_.pausingRun || (paused_ && paused_->bySleep); }
    bool pausedDriesConnected() const;
    std::vector<std::string> pausedMissingDrives() const;
    // "Reconnect SSD_A to continue." while a drive of the paused transfer is off; none otherwise.
    std::optional<std::string> resumeWaitsFor() const;
    void pauseTransfer();
    void resumeTransfer();
    void discardPausedTransfer();

signals:
    // The fields that changed since the last notification; emitted once per event-loop turn.
    void changed(quillane::ModelFields fields);

protected:
    // Runs the results that postBack hands over from other threads.
    void customEvent(QEvent* event) override;

private:
    friend class ModelStaging;
    using TimePoint = std::chrono::system_clock::time_point;
    // Set by the model to ask a background job to stop; the job reads it.
    using StopFlag = std::shared_ptr<std::atomic<bool>>;
    struct Anchor;

    // Change notification.
    void markChanged(ModelField field);
    template <typename T>
    void assign(T& field, T value, ModelField id) {
        if (field == value) return;
        field = std::move(value);
        markChanged(id);
    }
    template <typename T>
    void replace(T& field, T value, ModelField id) {
        field = std::move(value);
        markChanged(id);
    }
    // Runs work on a background thread; the function it returns runs on the model's thread,
    // unless the model is gone by then.
    void inBackground(std::function<std::function<void()>()> work);
    // From any thread: runs then on the model's thread, unless the model is gone by then.
    static void postBack(const std::shared_ptr<Anchor>& anchor, std::function<void()> then);
    TimePoint now() const { return services_.now(); }

    // Settings (AppModel.cpp).
    void settingsDidChange(const AppSettings& old);
    void applyNotificationSwitches();

    // Drives (AppModelDrives.cpp).
    void updateDrives();
    void drivesChanged(const std::vector<DriveInfo>& infos);
    void startProbe(const DriveInfo& info);
    void probeArrived(const DriveInfo& info, ContentProbe probe);
    ClassifierContext classifierContext() const;
    void reconcileSource();
    void reclassifyAll();
    // Reads the free space of every real drive again; true when some drive's changed (the plans
    // are not rebuilt here).
    bool refreshFreeSpace();
    bool isSoundCard(const DriveState& drive) const;

    // Scans (AppModelSource.cpp).
    void scanFinished(std::optional<SourceScan> result, std::string error);

    // Rolls and plans (AppModelRolls.cpp, AppModelPlans.cpp).
    void chooseRollName();
    std::optional<std::string> cardReel() const;
    // The rolls of the project's history, the queue and the running job.
    std::vector<std::string> recordedRollNames() const;
    // The folders that hold the roll folders on each active destination (none in demo mode).
    std::vector<std::filesystem::path> rollParents(bool sound) const;
    // RollNamer::highestNumber(letter, usedRollNames(), digits), opening only the roll folders
    // that could raise it, from the highest number down.
    std::int64_t highestUsedNumber(const std::string& letter) const;
    // The roll of the same letter one above both this roll and every roll in use.
    std::string rollAboveUsed(const std::string& roll) const;
    TemplateContext context(const std::string& roll) const;
    std::filesystem::path baseURL(const DriveState& drive) const;
    DestinationPlan planFor(const DriveState& drive, const std::vector<std::string>& path,
                            const std::vector<std::vector<std::string>>& extras, std::int64_t required) const;

    // Start (AppModelStart.cpp). A start the user confirms later (an alert, the folder sheet)
    // goes ahead only for the same card and scan, and only when nothing blocks it then.
    struct StartTicket {
        std::optional<std::string> sourceID;
        std::string fingerprint;
    };
    StartTicket startTicket() const;
    bool mayStart(const StartTicket& ticket) const;
    // The roll the crew was shown when it pressed TRANSFER, for that card and scan: the folders
    // and the copy use it, whatever a later look at the drives (the folders just made among
    // them) would count next.
    struct ChosenRoll {
        StartTicket ticket;
        std::string roll;
    };
    bool chosenRollHolds() const;
    // The question, closed by the model once its start could no longer go ahead (the card pulled
    // or rescanned, a transfer started meanwhile, nothing left to copy to).
    AlertMessage askingToStart(AlertMessage question, const StartTicket& ticket);
    void createFolders(const std::vector<std::filesystem::path>& urls, bool thenTransfer);
    // Puts up the alert and returns true when a planned destination is no longer on the volume
    // it was reported with (pulled, not yet reported gone).
    bool refuseGoneDestination();
    void beginTransfer();

    // Run and finish (AppModelRun.cpp, AppModelFinish.cpp).
    void startEngine();
    void tick();
    void finish(TransferResult result, RunningJob job, std::optional<ReportWriter::Info> report);
    void enrichReports(const TransferResult& result, const std::vector<ScannedFile>& files,
                       const ReportWriter::Info& info);
    void queueSoundCards();
    void queueSoundCard(const DriveInfo& info, SourceScan scan);
    bool isQueued(const std::string& sourceID) const;
    void startNextInQueue();
    void joinEngine();

    // Pause (AppModelPause.cpp).
    // Every change of the paused transfer goes through here, so its fields notify.
    void setPaused(std::optional<PausedTransfer> paused);
    void setPausedBySleep(bool bySleep);
    // The paused job going on now for this card: its resume found the same card.
    const PausedTransfer* resumingFor(const std::string& sourceID) const;
    void continueResume();
    void handleWillSleep();
    void handleDidWake();
    void wakeCheck();
    // The paused or stopped job that the next start of the selected card continues: its roll,
    // shoot day, project and roll folders, not today's.
    std::optional<RunningJob> continuedJob() const;

    ModelServices services_;
    std::shared_ptr<Anchor> anchor_;
    ModelFields pending_;
    bool flushScheduled_ = false;
    // Probes that land in one event-loop turn rebuild the plans once, when the turn's changes go out.
    bool plansStale_ = false;

    // Persisted state.
    JSONStore<AppSettings> settingsStore_;
    JSONStore<std::vector<TransferRecord>> historyStore_;
    JSONStore<StoppedJobs> stoppedStore_;
    ClipCatalog catalog_;
    AppSettings settings_;
    std::vector<TransferRecord> history_;
    std::string projectName_;
    bool started_ = false;

    // Sheets and alerts.
    bool showProjectSheet_ = true;
    std::optional<AlertMessage> alert_;
    std::optional<FolderRequest> folderRequest_;
    StartTicket pendingFolderTicket_;

    // Update offer.
    std::optional<ReleaseInfo> availableUpdate_;
    bool showUpdate_ = false;
    QTimer* updateTimer_ = nullptr;
    QTimer* freeSpaceTimer_ = nullptr;
    // Set when the model goes: an update check still reading the feed gives up.
    StopFlag updateChecksStop_ = std::make_shared<std::atomic<bool>>(false);

    // Demo mode.
    DemoState demoState_ = DemoState::off;
    std::map<std::string, std::int64_t> demoUsedBytes_;
    std::set<std::string> demoEjected_;
    std::set<std::string> demoFolders_;
    std::optional<std::string> projectBeforeDemo_;

    // Drives and source.
    std::vector<DriveInfo> realDriveInfos_;
    std::vector<DriveState> drives_;
    std::optional<std::string> selectedSourceID_;
    std::set<std::string> excludedDestinationIDs_;
    std::map<std::string, DriveRole> sessionRoles_;
    std::map<std::string, std::filesystem::path> sourceSubfolders_;
    std::map<std::string, StopFlag> probeTasks_;

    // Source scan.
    std::optional<SourceScan> scan_;
    ScanState scanState_;
    StopFlag scanTask_;
    std::optional<std::filesystem::path> scanningRoot_;

    // Roll, shoot day and plans.
    std::string cameraLetter_ = "A";
    std::string rollName_ = "A001";
    RollOrigin rollOrigin_ = RollOrigin::counted;
    std::optional<std::string> rollOverride_;
    std::optional<int> shootDayOverride_;
    // The roll the never-overwrite alert chose away from the card's own reel folder.
    std::optional<std::string> reelAvoidingRoll_;
    std::optional<ChosenRoll> chosenRoll_;
    std::vector<DestinationPlan> plans_;
    std::vector<std::string> targetPath_;

    // Transfer.
    TransferState transferState_ = TransferState::idle;
    std::optional<TransferProgress> progress_;
    std::optional<TransferResult> lastResult_;
    std::vector<std::string> transferDriveIDs_;
    // The drive under each destination of the running transfer, as the history records it; none
    // where the drive was not found.
    struct RecordedDrive {
        std::string volumeID;
        std::int64_t capacity = 0;
    };
    std::vector<std::optional<RecordedDrive>> transferDrives_;
    bool transferVerifies_ = true;
    std::vector<std::filesystem::path> transferRollURLs_;
    std::optional<RunningJob> runningJob_;
    std::vector<QueueItem> queue_;
    std::set<std::string> transferredSourceIDs_;
    std::shared_ptr<TransferTask> engine_;
    std::thread engineThread_;
    QTimer* progressTimer_ = nullptr;
    std::unique_ptr<PowerHold> activity_;

    // Pause and resume.
    std::optional<PausedTransfer> paused_;
    SleepWatch sleep_;
    // Stopped jobs by card fingerprint: the card goes back into its roll folder.
    StoppedJobs stoppedJobs_;
};

}  // namespace quillane
