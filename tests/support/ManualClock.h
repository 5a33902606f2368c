#pragma once
#include <chrono>
#include <functional>
#include <mutex>

#include "Support/Clock.h"

namespace quillane::testing {

// A clock that moves only when told: sleeping advances it at once (a simulated transfer of
// 18 seconds runs in no time). Installed as the current clock for its lifetime; thread-safe.
class ManualClock : public Clock {
public:
    // Starts at 2026-03-05 14:07:09 UTC unless given another time.
    explicit ManualClock(TimePoint start = TimePoint(std::chrono::seconds(1'772'719'629)));
    ~ManualClock() override;
    ManualClock(const ManualClock&) = delete;
    ManualClock& operator=(const ManualClock&) = delete;

    TimePoint now() override;
    double steadySeconds() override;
    // Advances the clock by length, counts the sleep, then runs the hook (outside the lock).
    void sleepFor(std::chrono::duration<double> length) override;

    void set(TimePoint time);
    void advance(std::chrono::duration<double> length);
    int sleeps() const;
    // Runs after every sleep, e.g. to cancel a transfer at a chosen tick.
    void onSleep(std::function<void()> hook);

private:
    mutable std::mutex lock_;
    TimePoint now_;
    double steady_ = 1000.0;
    int sleeps_ = 0;
    std::function<void()> hook_;
    Clock* previous_;
};

}  // namespace quillane::testing
