#include "Model/AppModel.h"

#include <mutex>

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>
#include <QTimer>

#include "Model/ThreadHandOver.h"
#include "Settings/LegacyMigration.h"
#include "Template/TemplatePreset.h"

namespace quillane {

namespace {
// A result on its way to the model's thread, made here so that its way through Qt's event
// queue is marked.
class ResultEvent final : public QEvent {
public:
    static QEvent::Type kind() {
        static const auto registered = static_cast<QEvent::Type>(QEvent::registerEventType());
        return registered;
    }
    explicit ResultEvent(std::function<void()> then) : QEvent(kind()), then_(std::move(then)) {
        ThreadHandOver::send(this);
    }
    // One that never ran (its model went first) goes on the model's thread too.
    ~ResultEvent() override { ThreadHandOver::receive(this); }
    void run() { then_(); }

private:
    std::function<void()> then_;
};
}  // namespace

// What a background job holds to hand its result back: the model while it lives.
struct AppModel::Anchor {
    std::mutex lock;
    AppModel* model = nullptr;
};

AppModel::AppModel(std::optional<std::filesystem::path> storeDirectory, ModelServices services, QObject* parent)
    : QObject(parent),
      services_(services.completed()),
      anchor_(std::make_shared<Anchor>()),
      settingsStore_([&] {
          if (!storeDirectory) LegacyMigration::migrateTarnwickFolders();
          return JSONStore<AppSettings>("settings.json", storeDirectory);
      }()),
      historyStore_("history.json", storeDirectory),
      stoppedStore_("stopped-rolls.json", storeDirectory),
      catalog_(storeDirectory) {
    qRegisterMetaType<quillane::ModelFields>();
    anchor_->model = this;
    settings_ = settingsStore_.load().value_or(AppSettings{});
    settings_.folderTemplate = TemplatePreset::upgraded(settings_.folderTemplate);
    Lang::current = settings_.language;
    applyNotificationSwitches();
    history_ = historyStore_.load().value_or(std::vector<TransferRecord>{});
    stoppedJobs_ = stoppedStore_.load().value_or(StoppedJobs{});
    cameraLetter_ = settings_.defaultCameraLetter;
    projectName_ = settings_.recentProjects.empty() ? std::string() : settings_.recentProjects.front();
    // The roll name and the path a card would land in are known before any drive is seen; they
    // are the model's first state, not a change to announce.
    refreshPlans();
    pending_ = {};
}

AppModel::~AppModel() {
    {
        std::lock_guard lock(anchor_->lock);
        anchor_->model = nullptr;
    }
    for (auto& [id, flag] : probeTasks_) *flag = true;
    if (scanTask_) *scanTask_ = true;
    *updateChecksStop_ = true;
    // Closing during a transfer, or with one paused, stops it as the Stop button does: the same
    // card goes back into its roll after the next start.
    bool stopped = false;
    for (const RunningJob* job : {runningJob_ ? &*runningJob_ : nullptr, paused_ ? &paused_->job : nullptr})
        if (job) {
            stoppedJobs_[job->fingerprint] = *job;
            stopped = true;
        }
    if (stopped) stoppedStore_.save(stoppedJobs_);
    joinEngine();
    services_.clipInspector->stopAll();
    services_.work->waitForIdle();
}

void AppModel::start() {
    if (started_) return;
    started_ = true;
    QPointer<AppModel> self(this);
    services_.volumes->start([self](const std::vector<DriveInfo>& infos) {
        if (!self) return;
        self->realDriveInfos_ = infos;
        self->updateDrives();
    });
    if (!services_.snapshotMode) {
        QTimer::singleShot(services_.timings.firstUpdateCheck, this, [this] { checkForUpdates(false); });
        updateTimer_ = new QTimer(this);
        updateTimer_->setInterval(services_.timings.updateInterval);
        connect(updateTimer_, &QTimer::timeout, this, [this] { checkForUpdates(false); });
        updateTimer_->start();
        freeSpaceTimer_ = new QTimer(this);
        freeSpaceTimer_->setInterval(services_.timings.freeSpaceRefresh);
        connect(freeSpaceTimer_, &QTimer::timeout, this, [this] {
            if (refreshFreeSpace()) refreshPlans();
        });
        freeSpaceTimer_->start();
    }
    services_.power->start(
        [self] {
            if (self) self->handleWillSleep();
        },
        [self] {
            if (self) self->handleDidWake();
        });
}

// --- Change notification

void AppModel::markChanged(ModelField field) {
    pending_.insert(field);
    if (flushScheduled_) return;
    flushScheduled_ = true;
    QMetaObject::invokeMethod(this, &AppModel::flushChanges, Qt::QueuedConnection);
}

void AppModel::flushChanges() {
    if (plansStale_) refreshPlans();
    if (alert_ && alert_->applies && !alert_->applies()) setAlert(std::nullopt);
    flushScheduled_ = false;
    if (pending_.empty()) return;
    const ModelFields fields = pending_;
    pending_ = {};
    emit changed(fields);
}

void AppModel::inBackground(std::function<std::function<void()>()> work) {
    services_.work->run([anchor = anchor_, work = std::move(work)] { postBack(anchor, work()); });
}

void AppModel::postBack(const std::shared_ptr<Anchor>& anchor, std::function<void()> then) {
    if (!then) return;
    std::lock_guard lock(anchor->lock);
    if (anchor->model != nullptr) QCoreApplication::postEvent(anchor->model, new ResultEvent(std::move(then)));
}

void AppModel::customEvent(QEvent* event) {
    // Before the event is read at all: it may come from another thread.
    ThreadHandOver::receive(event);
    if (event->type() == ResultEvent::kind()) static_cast<ResultEvent*>(event)->run();
}

// --- Settings

void AppModel::setSettings(AppSettings settings) {
    if (settings == settings_) return;
    AppSettings old = std::move(settings_);
    settings_ = std::move(settings);
    markChanged(ModelField::settings);
    settingsStore_.save(settings_);
    settingsDidChange(old);
}

void AppModel::changeSettings(const std::function<void(AppSettings&)>& change) {
    AppSettings changedSettings = settings_;
    change(changedSettings);
    setSettings(std::move(changedSettings));
}

void AppModel::applyNotificationSwitches() {
    std::optional<std::string> topic;
    if (settings_.phonePush && !settings_.phonePushTopic.empty()) topic = settings_.phonePushTopic;
    services_.notifications->setSwitches(settings_.notifications, topic);
}

void AppModel::settingsDidChange(const AppSettings& old) {
    applyNotificationSwitches();
    if (settings_.language != old.language) {
        Lang::current = settings_.language;
        reclassifyAll();
        // Why the card could not be scanned was told in the other language: the card tells it anew.
        if (scanState_.is(ScanState::Kind::failed)) rescanSource();
    }
    if (settings_.copyMode != old.copyMode || settings_.videoExtensions != old.videoExtensions ||
        settings_.includeAudioWithVideo != old.includeAudioWithVideo)
        rescanSource();
    if (settings_.learnedDrives != old.learnedDrives || settings_.folderTemplate != old.folderTemplate) {
        reclassifyAll();
        rescanIfRootChanged();
        return;
    }
    if (settings_.dateFormat != old.dateFormat || settings_.rollDigits != old.rollDigits ||
        settings_.useCardReelName != old.useCardReelName ||
        settings_.destinationBaseFolders != old.destinationBaseFolders)
        refreshPlans();
}

// --- Sheets, popovers and alerts

void AppModel::setShowProjectSheet(bool show) { assign(showProjectSheet_, show, ModelField::showProjectSheet); }
void AppModel::setAlert(std::optional<AlertMessage> alert) { replace(alert_, std::move(alert), ModelField::alert); }

void AppModel::closeAlert(const UUID& id, bool runAction) {
    if (!alert_ || alert_->id != id) return;
    std::function<void()> action = runAction ? alert_->action : nullptr;
    replace(alert_, std::optional<AlertMessage>(), ModelField::alert);
    // Turned down: the roll chosen for that start is chosen afresh at the next.
    if (!runAction) chosenRoll_.reset();
    if (action) action();
}

void AppModel::dismissFolderRequest() {
    if (folderRequest_) replace(folderRequest_, std::optional<FolderRequest>(), ModelField::folderRequest);
    chosenRoll_.reset();
}

void AppModel::setAvailableUpdate(std::optional<ReleaseInfo> release) {
    assign(availableUpdate_, std::move(release), ModelField::availableUpdate);
}
void AppModel::setShowUpdate(bool show) { assign(showUpdate_, show, ModelField::showUpdate); }

}  // namespace quillane
