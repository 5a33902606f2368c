#include "support/app/ManualWork.h"

namespace quillane::testing {

void ManualWork::run(std::function<void()> job) {
    if (runAtOnce_) {
        job();
        return;
    }
    std::lock_guard guard(lock_);
    jobs_.push_back(std::move(job));
}

std::size_t ManualWork::pending() const {
    std::lock_guard guard(lock_);
    return jobs_.size();
}

bool ManualWork::runAt(std::size_t index) {
    std::function<void()> job;
    {
        std::lock_guard guard(lock_);
        if (index >= jobs_.size()) return false;
        job = std::move(jobs_[index]);
        jobs_.erase(jobs_.begin() + static_cast<std::ptrdiff_t>(index));
    }
    job();
    return true;
}

bool ManualWork::runLast() {
    const std::size_t count = pending();
    return count > 0 && runAt(count - 1);
}

int ManualWork::runAll() {
    int ran = 0;
    while (runNext()) ++ran;
    return ran;
}

void ManualWork::drop() {
    std::lock_guard guard(lock_);
    jobs_.clear();
}

}  // namespace quillane::testing
