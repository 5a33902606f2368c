#include "Transfer/TransferRunning.h"

namespace quillane {

void TransferRunning::cancel() {
    std::lock_guard guard(stateLock_);
    cancelRequested_ = true;
}

void TransferRunning::pause() {
    std::lock_guard guard(stateLock_);
    pauseRequested_ = true;
    cancelRequested_ = true;
}

bool TransferRunning::waitUntilFinished(double timeoutSeconds) { return finished_.wait(timeoutSeconds); }

bool TransferRunning::isCancelled() const {
    std::lock_guard guard(stateLock_);
    return cancelRequested_;
}

TransferRunning::StopRequest TransferRunning::stopRequest() const {
    std::lock_guard guard(stateLock_);
    return {cancelRequested_, pauseRequested_};
}

}  // namespace quillane
