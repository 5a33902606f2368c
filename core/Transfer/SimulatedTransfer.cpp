#include "Transfer/SimulatedTransfer.h"

#include <algorithm>
#include <chrono>

#include "Hashing/XXHash64.h"
#include "Support/Clock.h"

namespace quillane {

SimulatedTransfer::SimulatedTransfer(TransferJob job, double duration, std::int64_t alreadyCopied)
    : job_(std::move(job)),
      duration_(duration),
      alreadyCopied_(std::clamp<std::int64_t>(alreadyCopied, 0, job_.totalBytes())),
      tracker_(job_.totalBytes(), static_cast<int>(job_.files.size()), job_.destinationNames(),
               job_.readBackTotals()) {
    const double total = static_cast<double>(job_.totalBytes());
    tracker_.setTimeScale(total / displayedRate * (job_.verify ? 2.0 : 1.0) / duration_);
}

void SimulatedTransfer::sleepOneTick() const {
    Clock::current().sleepFor(std::chrono::duration<double>(duration_ / ticks));
}

TransferResult SimulatedTransfer::run() {
    const std::int64_t total = job_.totalBytes();
    const std::int64_t T = std::max<std::int64_t>(total, 1);
    const int copyTicks = job_.verify ? copyTicksWithVerify : ticks;
    const std::size_t fileCount = job_.files.size();
    std::vector<std::optional<std::string>> hashes(fileCount);
    std::vector<int> all(job_.destinations.size());
    for (std::size_t d = 0; d < all.size(); ++d) all[d] = static_cast<int>(d);

    tracker_.setPhase(TransferPhase::copying);
    std::int64_t copied = alreadyCopied_;
    if (copied > 0) tracker_.addCopied(copied, all);
    std::size_t nextFile = 0;
    std::int64_t nextFileEnd = fileCount > 0 ? job_.files[0].size : 0;
    // The stop as the tick that saw it found it; none when every tick ran: the run then finished,
    // whatever was asked after its last look.
    StopRequest stop;
    for (int k = 1; k <= copyTicks; ++k) {
        if ((stop = stopRequest()).cancelled) break;
        const auto target = static_cast<std::int64_t>(static_cast<double>(T) * k / copyTicks);
        if (target <= copied) continue;
        sleepOneTick();
        tracker_.addCopied(target - copied, all);
        // Every file whose end lies at or below the target is finished.
        while (nextFile < fileCount && nextFileEnd <= target) {
            const std::string& path = job_.files[nextFile].relativePath;
            hashes[nextFile] = XXHash64::hex(path);
            tracker_.setCurrentFile(path);
            tracker_.countFinishedFile();
            if (++nextFile < fileCount) nextFileEnd += job_.files[nextFile].size;
        }
        copied = target;
    }

    if (job_.verify && !stop.cancelled) {
        tracker_.setPhase(TransferPhase::verifying);
        const int readBackTicks = ticks - copyTicks;
        std::vector<std::int64_t> verified(all.size(), 0);
        for (int k = 1; k <= readBackTicks; ++k) {
            if ((stop = stopRequest()).cancelled) break;
            sleepOneTick();
            for (std::size_t d = 0; d < all.size(); ++d) {
                double share = static_cast<double>(k) / readBackTicks;
                if (d > 0) share /= 0.94;  // the other drives read a little faster than the first
                share = std::min(share, 1.0);
                const auto target = std::min<std::int64_t>(static_cast<std::int64_t>(share * static_cast<double>(T)), T);
                if (target > verified[d]) tracker_.addVerified(target - verified[d], static_cast<int>(d));
                verified[d] = std::max(verified[d], target);
            }
        }
        for (std::size_t d = 0; d < all.size(); ++d)
            if (verified[d] < T) tracker_.addVerified(T - verified[d], static_cast<int>(d));
    }

    tracker_.setPhase(TransferPhase::done);
    TransferResult outcome = result(hashes, stop);
    signalFinished();
    return outcome;
}

TransferResult SimulatedTransfer::result(const std::vector<std::optional<std::string>>& hashes,
                                         StopRequest stop) const {
    const std::int64_t total = job_.totalBytes();
    const std::size_t fileCount = job_.files.size();
    const bool cancelled = stop.cancelled;
    TransferResult result;
    result.finishedAt = Clock::current().now();
    const double seconds = static_cast<double>(total) / displayedRate * (job_.verify ? 2.0 : 1.0);
    result.startedAt = result.finishedAt - std::chrono::duration_cast<std::chrono::system_clock::duration>(
                                               std::chrono::duration<double>(seconds));
    result.fileCount = static_cast<int>(fileCount);
    result.totalBytes = total;
    result.algorithm = job_.algorithm;
    result.verified = job_.verify;
    result.cancelled = cancelled;
    for (std::size_t d = 0; d < job_.destinations.size(); ++d) {
        DestinationResult destination;
        destination.id = static_cast<int>(d);
        destination.name = job_.destinations[d].name;
        destination.rollURL = job_.destinations[d].rollURL;
        destination.verifiedFiles = cancelled ? 0 : static_cast<int>(fileCount);
        result.destinations.push_back(std::move(destination));
    }
    for (std::size_t i = 0; i < fileCount; ++i)
        result.hashes.push_back(hashes[i] ? *hashes[i] : XXHash64::hex(job_.files[i].relativePath));
    result.paused = stop.paused;
    return result;
}

}  // namespace quillane
