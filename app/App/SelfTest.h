#pragma once
#include <QObject>
#include <optional>
#include <string>
#include <vector>

#include "App/SnapshotOptions.h"

namespace quillane {

class AppModel;
class SnapshotWaits;
class WindowNavigation;
namespace Snapshot {
class Camera;
}

// The transfer self-test: drives the real model through a whole offload of two known cards to two
// known SSDs (or a pause and a resume), and writes what it saw to simulation.txt beside a
// screenshot. Emits finished once, after the files are written.
class SelfTest : public QObject {
    Q_OBJECT
public:
    // The project the test cards are transferred under.
    static constexpr const char* projectName = "Quillane self-test";

    SelfTest(AppModel& model, const Snapshot::Options& options, Snapshot::Camera& camera, QObject* parent = nullptr);
    void start();
    const std::vector<std::string>& log() const { return log_; }
    // True once it finished with its success line; a refusal, a failed transfer or a time-out is not.
    bool succeeded() const { return succeeded_; }
    // How long the queue check lets the last finish settle before reading the results; tests shorten it.
    int resultDelayMs = 6000;

signals:
    void finished();

private:
    void queueCheck();
    void queueSecond();
    bool secondRecorded() const;
    void afterQueue();
    void pauseCheck();
    void afterPause();
    void resultLines();
    void finish(const std::string& last);
    void timeout();
    std::vector<std::string> plannedNames() const;

    AppModel& model_;
    Snapshot::Options options_;
    Snapshot::Camera& camera_;
    SnapshotWaits* waits_;
    // For the main views it captures; nothing navigates.
    WindowNavigation* navigation_;
    std::vector<std::string> log_;
    std::vector<std::string> expected_;
    std::string firstName_, secondName_;
    std::string firstID_, secondID_;
    std::string pausedRoll_;
    std::size_t historyBefore_ = 0;
    bool finishing_ = false;
    bool succeeded_ = false;
};

}  // namespace quillane
