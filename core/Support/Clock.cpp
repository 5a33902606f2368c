#include "Support/Clock.h"

#include <atomic>
#include <thread>

namespace quillane {

Clock::TimePoint Clock::now() { return std::chrono::system_clock::now(); }

double Clock::steadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void Clock::sleepFor(std::chrono::duration<double> length) {
    if (length.count() > 0) std::this_thread::sleep_for(length);
}

namespace {
Clock systemClock;
std::atomic<Clock*> installed{nullptr};
}  // namespace

Clock& Clock::current() {
    Clock* clock = installed.load(std::memory_order_acquire);
    return clock ? *clock : systemClock;
}

Clock* Clock::install(Clock* clock) { return installed.exchange(clock, std::memory_order_acq_rel); }

}  // namespace quillane
