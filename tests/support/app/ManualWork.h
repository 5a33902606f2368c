#pragma once
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

#include "Model/Seams/BackgroundWork.h"

namespace quillane::testing {

// Background work that runs only when the test says so, on the test's thread, in the order the
// test picks. With runAtOnce every job runs inside run() instead.
class ManualWork final : public BackgroundWork {
public:
    explicit ManualWork(bool runAtOnce = false) : runAtOnce_(runAtOnce) {}
    void run(std::function<void()> job) override;
    void waitForIdle() override {}

    std::size_t pending() const;
    // Runs the job at this position of the waiting ones; false when there is none.
    bool runAt(std::size_t index);
    bool runNext() { return runAt(0); }
    bool runLast();
    // Runs every waiting job, also those that running ones add; returns how many ran.
    int runAll();
    // Forgets every waiting job without running it.
    void drop();

private:
    bool runAtOnce_;
    mutable std::mutex lock_;
    std::deque<std::function<void()>> jobs_;
};

}  // namespace quillane::testing
