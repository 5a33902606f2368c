#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Transfer/TransferJob.h"
#include "Transfer/TransferTask.h"

namespace quillane {

// A transfer that looks and finishes like a real one (phases, progress, speed, a result)
// without touching any file: the demo mode's cards and drives do not exist. It advances its
// tracker on a fixed schedule of 120 ticks over `duration` seconds (slept on the current clock)
// and invents checksums.
class SimulatedTransfer final : public TransferTask {
public:
    static constexpr int ticks = 120;
    static constexpr int copyTicksWithVerify = 72;
    // The speed the simulation shows, in bytes per second.
    static constexpr double displayedRate = 1'050'000'000.0;

    // alreadyCopied: bytes counted as copied before the first tick (a resumed demo transfer).
    SimulatedTransfer(TransferJob job, double duration, std::int64_t alreadyCopied = 0);

    const TransferJob& job() const { return job_; }
    double duration() const { return duration_; }
    std::int64_t alreadyCopied() const { return alreadyCopied_; }

    TransferProgressTracker& tracker() override { return tracker_; }
    TransferResult run() override;

private:
    void sleepOneTick() const;
    TransferResult result(const std::vector<std::optional<std::string>>& hashes, StopRequest stop) const;

    const TransferJob job_;
    const double duration_;
    const std::int64_t alreadyCopied_;
    TransferProgressTracker tracker_;
};

}  // namespace quillane
