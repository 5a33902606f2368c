// Finishing: manifests on every destination that came through, the result, the reports.
#include <chrono>

#include "Settings/Lang.h"
#include "Transfer/TransferEngine.h"
#include "Transfer/TransferEngineRun.h"

namespace quillane {

TransferResult TransferEngine::finish(Run& run, bool wentOn) {
    const auto finishingDate = std::chrono::system_clock::now();
    (void)finishingDate;

    TransferResult result;
    result.startedAt = run.startedAt;
    result.finishedAt = std::chrono::system_clock::now();
    result.fileCount = static_cast<int>(job_.files.size());
    result.totalBytes = job_.totalBytes();
    result.algorithm = job_.algorithm;
    result.verified = job_.verify;
    result.cancelled = isCancelled();
    result.sourceError = run.sourceError;
    result.hashes = run.hashes;
    for (std::size_t d = 0; d < job_.destinations.size(); ++d) {
        DestinationResult destination;
        destination.id = static_cast<int>(d);
        destination.name = job_.destinations[d].name;
        destination.rollURL = job_.destinations[d].rollURL;
        destination.error = run.errors[d];
        destination.failedFiles = run.failedFiles[d];
        destination.resumedFiles = static_cast<int>(run.resumed[d].size());
        destination.verifiedFiles = run.verifiedFiles[d];
        destination.mhlURL = run.manifests[d];
        result.destinations.push_back(std::move(destination));
    }
    (void)wentOn;
    result.paused = isPaused();
    return result;
}

}  // namespace quillane
