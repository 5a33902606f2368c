#pragma once
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Transfer/TransferProgress.h"

namespace quillane {

// The lock-guarded accumulator that a transfer writes and the interface polls. Every
// operation takes the lock for itself alone; nothing is held across file I/O.
class TransferProgressTracker {
public:
    TransferProgressTracker(std::int64_t totalBytes, int filesTotal, const std::vector<std::string>& destinationNames,
                            std::vector<std::int64_t> verifyTotals);
    TransferProgressTracker(const TransferProgressTracker&) = delete;
    TransferProgressTracker& operator=(const TransferProgressTracker&) = delete;

    // A consistent snapshot with the rate over the last three seconds of polls.
    TransferProgress snapshot();
    // The same at a given time in seconds (a steady clock's reading; only differences count).
    TransferProgress snapshot(double nowSeconds);

    // Divides the measured rate; the simulated transfer sets it once after creation.
    void setTimeScale(double scale);
    double timeScale() const;

    void setPhase(TransferPhase phase);
    void setCurrentFile(std::string_view relativePath);
    void countFinishedFile();
    // Bytes of the source copied, and the same count for each listed destination.
    void addCopied(std::int64_t bytes, std::span<const int> destinations);
    void addVerified(std::int64_t bytes, int destination);
    // Per destination, the bytes read-back will cover; 0 means no read-back there.
    void setVerifyTotals(std::vector<std::int64_t> totals);
    // Keeps only the first error of a destination.
    void setError(std::string_view message, int destination);

    static double now();

private:
    struct Sample {
        double time;
        double work;
    };

    mutable std::mutex lock_;
    const std::int64_t totalBytes_;
    const int filesTotal_;
    TransferPhase phase_ = TransferPhase::preparing;
    std::int64_t copiedBytes_ = 0;
    int filesDone_ = 0;
    std::string currentFile_;
    std::vector<DestinationProgress> destinations_;
    std::vector<std::int64_t> verifyTotals_;
    std::vector<Sample> samples_;
    double timeScale_ = 1.0;
};

}  // namespace quillane
