#pragma once
#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>

namespace quillane {

// Raised once when a transfer's run() ends; every wait, before or after, passes from then on.
class FinishedSignal {
public:
    void raise() {
        {
            std::lock_guard guard(lock_);
            finished_ = true;
        }
        signal_.notify_all();
    }

    // Waits up to timeoutSeconds; true once raised. A negative or invalid timeout does not wait;
    // a very long one (even infinity) waits until raised rather than overflowing the clock.
    bool wait(double timeoutSeconds) {
        std::unique_lock lock(lock_);
        const double seconds = std::isnan(timeoutSeconds) ? 0.0 : std::clamp(timeoutSeconds, 0.0, longest);
        return signal_.wait_for(lock, std::chrono::duration<double>(seconds), [this] { return finished_; });
    }

private:
    // About 30 years: forever for a transfer, and far inside the clock's range.
    static constexpr double longest = 1e9;
    std::mutex lock_;
    std::condition_variable signal_;
    bool finished_ = false;
};

}  // namespace quillane
