#pragma once
#include <chrono>

namespace quillane {

// The model's waits and intervals; tests shorten them.
struct ModelTimings {
    std::chrono::milliseconds firstUpdateCheck{8'000};
    std::chrono::milliseconds updateInterval{86'400'000};
    // How long one read of the version feed may take.
    std::chrono::milliseconds updateFeedTimeout{15'000};
    std::chrono::milliseconds progressTick{150};
    // After waking, how long to wait before looking for the paused transfer's drives.
    std::chrono::milliseconds wakeCheck{4'000};
    // How long the will-sleep handler waits for the engine to stop.
    double sleepWaitSeconds = 8.0;
    double demoTransferSeconds = 18.0;
    // How often the free space of the mounted drives is read again: a copy of another program,
    // or a file removed by hand, changes it without any mount event.
    std::chrono::milliseconds freeSpaceRefresh{30'000};
};

}  // namespace quillane
