#include "Transfer/TransferProgressTracker.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "Support/Clock.h"

namespace quillane {

namespace {
constexpr double windowSeconds = 3.0;
constexpr double minimumSampleAge = 0.4;
}  // namespace

TransferProgressTracker::TransferProgressTracker(std::int64_t totalBytes, int filesTotal,
                                                 const std::vector<std::string>& destinationNames,
                                                 std::vector<std::int64_t> verifyTotals)
    : totalBytes_(totalBytes), filesTotal_(filesTotal), verifyTotals_(std::move(verifyTotals)) {
    destinations_.reserve(destinationNames.size());
    for (std::size_t i = 0; i < destinationNames.size(); ++i)
        destinations_.push_back(DestinationProgress{static_cast<int>(i), destinationNames[i], 0, 0, std::nullopt});
    verifyTotals_.resize(destinations_.size(), 0);
}

double TransferProgressTracker::now() { return Clock::current().steadySeconds(); }

TransferProgress TransferProgressTracker::snapshot() { return snapshot(now()); }

TransferProgress TransferProgressTracker::snapshot(double nowSeconds) {
    std::lock_guard guard(lock_);

    double verifiedSum = 0, totalsSum = 0;
    int active = 0;
    for (std::size_t d = 0; d < destinations_.size(); ++d) {
        if (destinations_[d].error || verifyTotals_[d] < 1) continue;
        verifiedSum += static_cast<double>(destinations_[d].verifiedBytes);
        totalsSum += static_cast<double>(verifyTotals_[d]);
        ++active;
    }
    const double verifiedMean = active > 0 ? verifiedSum / active : 0;
    const double verifyMean = active > 0 ? totalsSum / active : 0;
    const double workDone = static_cast<double>(copiedBytes_) + verifiedMean;
    const double workTotal = static_cast<double>(totalBytes_) + verifyMean;

    samples_.push_back({nowSeconds, workDone});
    const auto firstKept = std::find_if(samples_.begin(), samples_.end() - 1,
                                        [&](const Sample& s) { return nowSeconds - s.time <= windowSeconds; });
    samples_.erase(samples_.begin(), firstKept);

    TransferProgress progress;
    const Sample& oldest = samples_.front();
    const double age = nowSeconds - oldest.time;
    if (age > minimumSampleAge && timeScale_ > 0) {
        const double rate = (workDone - oldest.work) / age / timeScale_;
        progress.bytesPerSecond = std::isfinite(rate) ? rate : 0;
    }
    const double remaining = std::max(0.0, workTotal - workDone);

    if (phase_ == TransferPhase::done)
        progress.fraction = 1.0;
    else if (workTotal > 0)
        progress.fraction = std::min(1.0, workDone / workTotal);
    else
        progress.fraction = phase_ == TransferPhase::preparing ? 0.0 : 1.0;
    if (progress.bytesPerSecond > 0) progress.secondsRemaining = remaining / progress.bytesPerSecond;

    progress.phase = phase_;
    progress.currentFile = currentFile_;
    progress.filesDone = filesDone_;
    progress.filesTotal = filesTotal_;
    progress.totalBytes = totalBytes_;
    progress.copiedBytes = copiedBytes_;
    progress.destinations = destinations_;
    return progress;
}

void TransferProgressTracker::setTimeScale(double scale) {
    std::lock_guard guard(lock_);
    timeScale_ = scale;
}

double TransferProgressTracker::timeScale() const {
    std::lock_guard guard(lock_);
    return timeScale_;
}

void TransferProgressTracker::setPhase(TransferPhase phase) {
    std::lock_guard guard(lock_);
    phase_ = phase;
}

void TransferProgressTracker::setCurrentFile(std::string_view relativePath) {
    std::lock_guard guard(lock_);
    currentFile_.assign(relativePath);
}

void TransferProgressTracker::countFinishedFile() {
    std::lock_guard guard(lock_);
    ++filesDone_;
}

void TransferProgressTracker::addCopied(std::int64_t bytes, std::span<const int> destinations) {
    std::lock_guard guard(lock_);
    copiedBytes_ += bytes;
    for (int d : destinations)
        if (d >= 0 && static_cast<std::size_t>(d) < destinations_.size()) destinations_[d].copiedBytes += bytes;
}

void TransferProgressTracker::addVerified(std::int64_t bytes, int destination) {
    std::lock_guard guard(lock_);
    if (destination >= 0 && static_cast<std::size_t>(destination) < destinations_.size())
        destinations_[destination].verifiedBytes += bytes;
}

void TransferProgressTracker::setVerifyTotals(std::vector<std::int64_t> totals) {
    std::lock_guard guard(lock_);
    totals.resize(destinations_.size(), 0);
    verifyTotals_ = std::move(totals);
}

void TransferProgressTracker::setError(std::string_view message, int destination) {
    std::lock_guard guard(lock_);
    if (destination < 0 || static_cast<std::size_t>(destination) >= destinations_.size()) return;
    if (!destinations_[destination].error) destinations_[destination].error = std::string(message);
}

}  // namespace quillane
