#pragma once
#include <chrono>

namespace quillane {

// The time as the program sees it: the wall clock for dates, a steady reading for rates, and
// sleeping. The engine, the simulated transfer, the stores and the demo drives ask
// Clock::current(); tests install a clock they move by hand.
class Clock {
public:
    using TimePoint = std::chrono::system_clock::time_point;

    virtual ~Clock() = default;

    // The wall-clock time.
    virtual TimePoint now();
    // Seconds on a clock that never goes back; only differences count.
    virtual double steadySeconds();
    // Blocks the calling thread for about that long; a non-positive length returns at once.
    virtual void sleepFor(std::chrono::duration<double> length);

    // The clock in use; the system's unless a test installed another.
    static Clock& current();
    // Installs a clock (nullptr restores the system's); returns the previous one. Not for use
    // while a transfer runs.
    static Clock* install(Clock* clock);
};

}  // namespace quillane
