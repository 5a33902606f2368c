#pragma once
#include "Transfer/TransferProgressTracker.h"
#include "Transfer/TransferResult.h"

namespace quillane {

// A running transfer, real or simulated. Create it with its job, call run() once on a
// background thread; tracker(), cancel(), pause() and waitUntilFinished() may be called
// from any thread meanwhile.
class TransferRunning {
public:
    virtual ~TransferRunning() = default;

    // Created together with the transfer; lives as long as it.
    virtual TransferProgressTracker& tracker() = 0;
    // Asks the transfer to stop; returns at once.
    virtual void cancel() = 0;
    // Asks the transfer to stop and to report the stop as a pause; returns at once.
    virtual void pause() = 0;
    // Waits up to timeoutSeconds for run() to end; true when it has (also on every later call).
    virtual bool waitUntilFinished(double timeoutSeconds) = 0;
    // The whole transfer, synchronously on the calling thread.
    virtual TransferResult run() = 0;
};

}  // namespace quillane
