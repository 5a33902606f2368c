#pragma once
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "Transfer/TransferJob.h"
#include "Transfer/TransferTask.h"

namespace quillane {

// The real transfer: copies every file of a card to every destination in one pass over the
// source, hashing as it reads; reads every copy back and compares; writes the manifests and
// the report. Files are written under hidden partial names and moved into place only after a
// full sync, by a rename that never replaces anything. A failure on one destination takes only
// that destination out; a failure on the source stops the job. Failures come back as values.
class TransferEngine final : public TransferTask {
public:
    // Copy buffers, read-ahead and read-back all use chunks of this size.
    static constexpr std::size_t chunkSize = 8u << 20;

    explicit TransferEngine(TransferJob job);
    ~TransferEngine() override;

    const TransferJob& job() const { return job_; }
    TransferProgressTracker& tracker() override { return tracker_; }
    TransferResult run() override;

    // Renames temp to final without ever replacing what stands at final; the error text when
    // it can't, in the current language.
    static std::optional<std::string> moveIntoPlace(const std::filesystem::path& temp,
                                                    const std::filesystem::path& final);
    // The hidden partial name beside final: ".<name>.quillane-partial"; for a name too long for
    // that, ".<hash of the name>.quillane-partial".
    static std::filesystem::path partialPath(const std::filesystem::path& final);

private:
    struct Run;
    TransferResult runSteps();
    // What run() returns when a step threw (no thread, no memory, no MD5): a source error.
    TransferResult failedRun(const std::string& reason);
    struct CopyState;
    void copyPass(Run& run);
    void prepareFolders(Run& run);
    void openWriters(Run& run, CopyState& state, std::size_t file);
    // False when the pass must stop (a source error, a stop, no destination left).
    bool copyFile(Run& run, CopyState& state, std::size_t file);
    void settleBatch(Run& run, CopyState& state);
    void syncFolders(Run& run);
    void readBack(Run& run);
    void writeManifests(Run& run, std::chrono::system_clock::time_point finishingDate);
    TransferResult finish(Run& run, bool wentOn);

    const TransferJob job_;
    TransferProgressTracker tracker_;
};

}  // namespace quillane
