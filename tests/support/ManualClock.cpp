#include "support/ManualClock.h"

namespace quillane::testing {

ManualClock::ManualClock(TimePoint start) : now_(start), previous_(Clock::install(this)) {}

ManualClock::~ManualClock() { Clock::install(previous_); }

Clock::TimePoint ManualClock::now() {
    std::lock_guard guard(lock_);
    return now_;
}

double ManualClock::steadySeconds() {
    std::lock_guard guard(lock_);
    return steady_;
}

void ManualClock::sleepFor(std::chrono::duration<double> length) {
    std::function<void()> hook;
    {
        std::lock_guard guard(lock_);
        ++sleeps_;
        hook = hook_;
    }
    advance(length);
    if (hook) hook();
}

void ManualClock::set(TimePoint time) {
    std::lock_guard guard(lock_);
    now_ = time;
}

void ManualClock::advance(std::chrono::duration<double> length) {
    if (length.count() <= 0) return;
    std::lock_guard guard(lock_);
    now_ += std::chrono::duration_cast<TimePoint::duration>(length);
    steady_ += length.count();
}

int ManualClock::sleeps() const {
    std::lock_guard guard(lock_);
    return sleeps_;
}

void ManualClock::onSleep(std::function<void()> hook) {
    std::lock_guard guard(lock_);
    hook_ = std::move(hook);
}

}  // namespace quillane::testing
