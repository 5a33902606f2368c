#include "support/app/ModelHarness.h"

#include <QEventLoop>

#include <thread>

namespace quillane::testing {

QCoreApplication& qtApplication() {
    if (QCoreApplication* existing = QCoreApplication::instance()) return *existing;
    static int argc = 1;
    static char name[] = "quillane-tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    return application;
}

ModelHarness::ModelHarness(bool runWorkAtOnce) : work(std::make_shared<ManualWork>(runWorkAtOnce)) {
    qtApplication();
}

ModelHarness::~ModelHarness() { destroy(); }

ModelServices ModelHarness::services() {
    ModelServices services;
    services.volumes = volumes;
    services.work = work;
    services.power = power;
    services.notifications = notifications;
    services.feedback = feedback;
    services.desktop = desktop;
    services.ejector = ejector;
    services.folderPicker = folderPicker;
    services.space = space;
    services.engines = engines;
    services.clipInspector = clipInspector;
    services.now = [this] { return now; };
    services.timings = timings;
    services.snapshotMode = snapshotMode;
    services.updateFeedURL = updateFeedURL;
    return services;
}

AppModel& ModelHarness::make() {
    destroy();
    notifications_.clear();
    model_ = std::make_unique<AppModel>(store.path(), services());
    QObject::connect(model_.get(), &AppModel::changed, [this](ModelFields fields) { notifications_.push_back(fields); });
    return *model_;
}

void ModelHarness::destroy() {
    model_.reset();
    settle();
}

void ModelHarness::settle() {
    for (int round = 0; round < 4; ++round) QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (model_) model_->flushChanges();
}

void ModelHarness::drain() {
    do {
        work->runAll();
        settle();
    } while (work->pending() > 0);
}

bool ModelHarness::waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        work->runAll();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (model_) model_->flushChanges();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

}  // namespace quillane::testing
