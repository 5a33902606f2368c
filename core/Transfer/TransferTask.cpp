#include "Transfer/TransferTask.h"

namespace quillane {

void TransferTask::cancel() {
    std::lock_guard guard(stateLock_);
    cancelRequested_ = true;
}

void TransferTask::pause() {
    std::lock_guard guard(stateLock_);
    pauseRequested_ = true;
    cancelRequested_ = true;
}

bool TransferTask::waitUntilFinished(double timeoutSeconds) { return finished_.wait(timeoutSeconds); }

bool TransferTask::isCancelled() const {
    std::lock_guard guard(stateLock_);
    return cancelRequested_;
}

TransferTask::StopRequest TransferTask::stopRequest() const {
    std::lock_guard guard(stateLock_);
    return {cancelRequested_, pauseRequested_};
}

}  // namespace quillane
