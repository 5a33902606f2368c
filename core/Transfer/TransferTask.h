#pragma once
#include <mutex>

#include "Transfer/FinishedSignal.h"
#include "Transfer/TransferProgressTracker.h"
#include "Transfer/TransferResult.h"

namespace quillane {

// One card's transfer as a task, real or simulated. Create it with its job, call run() once on a
// background thread; tracker(), cancel(), pause() and waitUntilFinished() may be called
// from any thread meanwhile. The stop requests and the finish signal live here, once for
// every kind of transfer.
class TransferTask {
public:
    virtual ~TransferTask() = default;

    // Created together with the transfer; lives as long as it.
    virtual TransferProgressTracker& tracker() = 0;
    // Asks the transfer to stop; returns at once.
    virtual void cancel();
    // Asks the transfer to stop and to report the stop as a pause; returns at once.
    virtual void pause();
    // Waits up to timeoutSeconds for run() to end; true when it has (also on every later call).
    virtual bool waitUntilFinished(double timeoutSeconds);
    // The whole transfer, synchronously on the calling thread. Never throws: what goes wrong is
    // in the result, and every wait passes once it returns.
    virtual TransferResult run() = 0;

protected:
    // Both requests as they stand at one moment: a pause is always a stop too.
    struct StopRequest {
        bool cancelled = false;
        bool paused = false;
    };
    StopRequest stopRequest() const;
    bool isCancelled() const;
    // run() calls it once, as its last step.
    void signalFinished() { finished_.raise(); }

private:
    mutable std::mutex stateLock_;
    bool cancelRequested_ = false;
    bool pauseRequested_ = false;
    FinishedSignal finished_;
};

}  // namespace quillane
