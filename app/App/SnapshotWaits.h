#pragma once
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <functional>
#include <vector>

namespace quillane {

// The waits of a snapshot script: each polls its condition on a repeating main-thread timer
// (first tick one interval after it begins) until it holds, or gives up once its deadline has
// passed. Several waits may run side by side; stopAll() ends every one still running.
class SnapshotWaits : public QObject {
public:
    explicit SnapshotWaits(std::chrono::milliseconds tick = std::chrono::milliseconds(250),
                           QObject* parent = nullptr);

    void waitFor(std::function<bool()> condition, std::chrono::milliseconds timeout, std::function<void()> then,
                 std::function<void()> timedOut);
    void stopAll();
    int running() const;

private:
    std::chrono::milliseconds tick_;
    std::vector<QPointer<QTimer>> timers_;
};

}  // namespace quillane
