#pragma once
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include <QCoreApplication>

#include "Model/AppModel.h"
#include "Model/ModelStaging.h"
#include "support/TempDir.h"
#include "support/app/ManualWork.h"
#include "support/app/ModelFakes.h"

namespace quillane::testing {

// The Qt application of a test program: the one that exists, else a new QCoreApplication.
QCoreApplication& qtApplication();

// An AppModel over a temporary store with every service faked, plus the fakes to drive it.
// Background work waits for the test (work.runAll(), then settle()) unless runWorkAtOnce.
class ModelHarness {
public:
    explicit ModelHarness(bool runWorkAtOnce = false);
    ~ModelHarness();

    TempDir store{"quillane-store"};
    std::shared_ptr<FakeVolumeSource> volumes = std::make_shared<FakeVolumeSource>();
    std::shared_ptr<ManualWork> work;
    std::shared_ptr<FakePowerEvents> power = std::make_shared<FakePowerEvents>();
    std::shared_ptr<RecordingNotifications> notifications = std::make_shared<RecordingNotifications>();
    std::shared_ptr<RecordingFeedback> feedback = std::make_shared<RecordingFeedback>();
    std::shared_ptr<RecordingDesktop> desktop = std::make_shared<RecordingDesktop>();
    std::shared_ptr<FakeEjector> ejector = std::make_shared<FakeEjector>();
    std::shared_ptr<FakeFolderPicker> folderPicker = std::make_shared<FakeFolderPicker>();
    std::shared_ptr<FakeSpaceProbe> space = std::make_shared<FakeSpaceProbe>();
    std::shared_ptr<CountingEngineFactory> engines = std::make_shared<CountingEngineFactory>();
    // None by default: reports keep the engine's page (the platform's tests set the real one).
    std::shared_ptr<ClipInspector> clipInspector;
    // The model's clock; tests move it.
    std::chrono::system_clock::time_point now = std::chrono::system_clock::now();
    ModelTimings timings;
    bool snapshotMode = false;
    std::string updateFeedURL;

    ModelServices services();
    // A new model over the store (the earlier one, if any, is destroyed first).
    AppModel& make();
    AppModel& model() { return *model_; }
    ModelStaging stage() { return ModelStaging(*model_); }
    // Destroys the model now.
    void destroy();

    // Runs queued events (post-backs, timers due) and emits the pending change notification.
    void settle();
    // Runs every waiting background job and what it posts back, until nothing is left.
    void drain();
    // Settles and drains until the condition holds; false when it did not within the timeout.
    bool waitUntil(const std::function<bool()>& condition,
                   std::chrono::milliseconds timeout = std::chrono::milliseconds(20'000));
    // Every change notification the model sent since make().
    std::vector<ModelFields> notifications_;

private:
    std::unique_ptr<AppModel> model_;
};

}  // namespace quillane::testing
