#include "Transfer/TransferEngine.h"

#include <sys/stat.h>

#include <climits>

#include <cerrno>
#include <chrono>

#include "Support/Lang.h"
#include "Hashing/XXHash64.h"
#include "Support/Clock.h"
#include "Support/ExclusiveRename.h"
#include "Support/FileIO.h"
#include "Transfer/TransferEngineRun.h"

namespace quillane {

namespace fs = std::filesystem;

TransferEngine::Run::Run(const TransferJob& job)
    : startedAt(Clock::current().now()),
      errors(job.destinations.size()),
      resumed(job.destinations.size()),
      failedFiles(job.destinations.size()),
      verifiedFiles(job.destinations.size(), 0),
      manifests(job.destinations.size()),
      hashes(job.files.size()),
      rollDevices(job.destinations.size()),
      volumeSyncCoversFiles(job.destinations.size(), false),
      pool(static_cast<int>(job.destinations.size()) + 2) {}

void TransferEngine::Run::fail(int destination, const std::string& message, TransferProgressTracker& tracker) {
    if (!errors[destination]) errors[destination] = message;
    tracker.setError(message, destination);
}

int TransferEngine::Run::rollGone(int destination, const fs::path& roll) const {
    struct stat st {};
    if (FileIO::current().stat(roll.c_str(), &st) != 0) return errno;
    if (!S_ISDIR(st.st_mode) || !rollDevices[destination] || st.st_dev != *rollDevices[destination]) return ENODEV;
    return 0;
}

TransferEngine::TransferEngine(TransferJob job)
    : job_(std::move(job)),
      tracker_(job_.totalBytes(), static_cast<int>(job_.files.size()), job_.destinationNames(),
               job_.readBackTotals()) {}

TransferEngine::~TransferEngine() = default;

TransferResult TransferEngine::run() {
    TransferResult result;
    try {
        result = runSteps();
    } catch (const std::exception& error) {
        result = failedRun(error.what());
    } catch (...) {
        result = failedRun(L("onbekende fout", "unknown error"));
    }
    signalFinished();
    return result;
}

TransferResult TransferEngine::failedRun(const std::string& reason) {
    TransferResult result;
    result.startedAt = result.finishedAt = Clock::current().now();
    result.fileCount = static_cast<int>(job_.files.size());
    result.totalBytes = job_.totalBytes();
    result.algorithm = job_.algorithm;
    result.verified = job_.verify;
    const StopRequest stop = stopRequest();
    result.cancelled = stop.cancelled;
    result.paused = stop.paused;
    result.sourceError = L("De overdracht kon niet verder: " + reason, "The transfer could not go on: " + reason);
    result.hashes.resize(job_.files.size());
    for (std::size_t d = 0; d < job_.destinations.size(); ++d) {
        DestinationResult destination;
        destination.id = static_cast<int>(d);
        destination.name = job_.destinations[d].name;
        destination.rollURL = job_.destinations[d].rollURL;
        result.destinations.push_back(std::move(destination));
    }
    tracker_.setPhase(TransferPhase::done);
    return result;
}

TransferResult TransferEngine::runSteps() {
    Run run(job_);
    tracker_.setPhase(TransferPhase::copying);
    copyPass(run);

    // Read back only after a copy pass that ended without a source error or a stop.
    const bool wentOn = !run.sourceError && !isCancelled();
    if (wentOn) {
        tracker_.setPhase(TransferPhase::verifying);
        readBack(run);
    }
    tracker_.setPhase(TransferPhase::finishing);
    TransferResult result = finish(run, wentOn);
    tracker_.setPhase(TransferPhase::done);
    return result;
}

fs::path TransferEngine::partialPath(const fs::path& final) {
    static constexpr std::string_view suffix = ".quillane-partial";
    const std::string name = final.filename().string();
    // A name near the longest a file system takes would not fit with the prefix and suffix: it
    // gets a partial name made from its hash, still ours and still cleaned up as such.
    std::string partial = ".";
    partial.append(1 + name.size() + suffix.size() > NAME_MAX ? XXHash64::hex(name) : name).append(suffix);
    return final.parent_path() / partial;
}

std::optional<std::string> TransferEngine::moveIntoPlace(const fs::path& temp, const fs::path& final) {
    if (ExclusiveRename::rename(temp, final)) return std::nullopt;
    const int e = errno;
    const std::string name = final.filename().string();
    if (e == EEXIST) return L("Bestaat al, niet overschreven: ", "Already exists, not overwritten: ") + name;
    return L("Kan " + name + " niet afronden: " + TransferFiles::message(e),
             "Can't finalize " + name + ": " + TransferFiles::message(e));
}

}  // namespace quillane
