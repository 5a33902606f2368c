#pragma once
#include <QObject>
#include <memory>

#include "App/SnapshotOptions.h"

namespace quillane {

class AppModel;
class SelfTest;
class SnapshotWaits;
class WindowNavigation;
namespace Snapshot {
class Camera;
}

// Snapshot mode: stages the model from the command line, renders the product's screenshots or
// runs the transfer self-test into the output folder, and ends the process. Runs once.
class SnapshotRenderer : public QObject {
    Q_OBJECT
public:
    SnapshotRenderer(AppModel& model, Snapshot::Options options, QObject* parent = nullptr);
    ~SnapshotRenderer() override;
    // The driver; a second call does nothing.
    void run();

    // Delays of the scripts; tests shorten them.
    int fakeUpdateDelayMs = 3000;
    int scriptDelayMs = 4000;

private:
    void standardShots();
    void fakeUpdateShots();
    void features();
    void featuresAfterScan();
    void featuresMidTransfer();
    void featuresVerified();
    void featuresDuplicate();
    void featuresHistory();
    void terminate();

    AppModel& model_;
    Snapshot::Options options_;
    Snapshot::Camera* camera_;
    SnapshotWaits* waits_;
    // The main views' navigation: staged for the product screenshots of the demo.
    WindowNavigation* navigation_;
    SelfTest* selfTest_ = nullptr;
    bool ran_ = false;
    std::string featureCard_;
};

}  // namespace quillane
