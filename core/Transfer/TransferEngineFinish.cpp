// Finishing: manifests on every destination that came through, the result, the reports.
#include <chrono>
#include <exception>
#include <system_error>

#include "Product/Product.h"
#include "Support/Lang.h"
#include "Support/Clock.h"
#include "Support/FileIO.h"
#include "Transfer/ASCMHLWriter.h"
#include "Transfer/MHLWriter.h"
#include "Transfer/ReportWriter.h"
#include "Transfer/TransferEngine.h"
#include "Transfer/TransferEngineRun.h"

namespace quillane {

namespace {

// What went wrong, whole in the current language but for the path and the system's own text.
std::string describe(const std::exception& error) {
    if (const auto* file = dynamic_cast<const FileError*>(&error))
        return file->path().string() + ": " + TransferFiles::message(file->code().value());
    if (const auto* system = dynamic_cast<const std::system_error*>(&error))
        return TransferFiles::message(system->code().value());
    return error.what();
}

}  // namespace

void TransferEngine::writeManifests(Run& run, std::chrono::system_clock::time_point finishingDate) {
    const std::string comment = MHLWriter::comment(job_.projectName, job_.rollName, job_.sourceName);
    for (std::size_t d = 0; d < job_.destinations.size(); ++d) {
        if (!run.live(static_cast<int>(d)) || !run.failedFiles[d].empty()) continue;
        const std::filesystem::path& roll = job_.destinations[d].rollURL;
        if (const int gone = run.rollGone(static_cast<int>(d), roll)) {
            // Folders made now would land where the drive was mounted, not on the drive.
            run.fail(static_cast<int>(d),
                     L("Kan MHL niet schrijven: " + roll.string() + " ligt niet meer op het station (",
                       "Can't write MHL: " + roll.string() + " no longer lies on the drive (") +
                         TransferFiles::message(gone) + ")",
                     tracker_);
            continue;
        }
        try {
            if (MHLFormats::includesClassic(job_.mhlFormat))
                run.manifests[d] = MHLWriter::write(roll, job_.rollName, job_.files, run.hashes, job_.algorithm,
                                                    run.startedAt, finishingDate, comment,
                                                    MHLFormats::includesASC(job_.mhlFormat));
            if (MHLFormats::includesASC(job_.mhlFormat))
                run.manifests[d] = ASCMHLWriter::write(roll, job_.files, run.hashes, job_.algorithm,
                                                       finishingDate, Product::version);
        } catch (const std::exception& error) {
            run.fail(static_cast<int>(d), L("Kan MHL niet schrijven: ", "Can't write MHL: ") + describe(error),
                     tracker_);
        }
    }
}

TransferResult TransferEngine::finish(Run& run, bool wentOn) {
    const auto finishingDate = Clock::current().now();
    // The run's outcome is read once, here: a stop that arrives while the manifests or the
    // reports are written finds every destination finished, and the run stays finished.
    const StopRequest stop = stopRequest();
    if (wentOn && job_.writeMHL && !stop.cancelled) writeManifests(run, finishingDate);

    TransferResult result;
    result.startedAt = run.startedAt;
    result.finishedAt = Clock::current().now();
    result.fileCount = static_cast<int>(job_.files.size());
    result.totalBytes = job_.totalBytes();
    result.algorithm = job_.algorithm;
    result.verified = job_.verify;
    result.cancelled = stop.cancelled;
    result.paused = stop.paused;
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

    // Reports also go to destinations whose read-back failed: they say what failed.
    if (job_.report && wentOn && !result.cancelled) {
        for (std::size_t d = 0; d < result.destinations.size(); ++d) {
            if (result.destinations[d].error || run.rollGone(static_cast<int>(d), job_.destinations[d].rollURL))
                continue;
            try {
                result.destinations[d].reportURL = ReportWriter::write(
                    job_.destinations[d].rollURL, *job_.report, job_.files, run.hashes, result, static_cast<int>(d));
            } catch (const std::exception&) {
                // A report that can't be written leaves the transfer as it is.
            }
        }
    }
    return result;
}

}  // namespace quillane
