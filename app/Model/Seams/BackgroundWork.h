#pragma once
#include <functional>

namespace quillane {

// Runs jobs off the model's thread: content probes, card scans, sound-card scans, report
// enrichment. A job never touches the model; it hands a result back through the model's own
// post-back, which drops it once the model is gone.
class BackgroundWork {
public:
    virtual ~BackgroundWork() = default;
    virtual void run(std::function<void()> job) = 0;
    // Blocks until every job handed in so far has ended (the model's destructor calls it after
    // asking its jobs to stop).
    virtual void waitForIdle() = 0;
};

}  // namespace quillane
