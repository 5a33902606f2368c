#pragma once
// The state of one TransferEngine::run(), shared by the engine's source files only.
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Support/ParallelFor.h"
#include "Transfer/TransferEngine.h"
#include "Transfer/TransferFiles.h"

namespace quillane {

struct TransferEngine::Run {
    explicit Run(const TransferJob& job);

    std::chrono::system_clock::time_point startedAt;
    // Per destination.
    std::vector<std::optional<std::string>> errors;
    std::vector<std::vector<int>> resumed;
    std::vector<std::vector<std::string>> failedFiles;
    std::vector<int> verifiedFiles;
    std::vector<std::optional<std::filesystem::path>> manifests;
    // Per file: the source checksum, once the file's copy went through.
    std::vector<std::optional<std::string>> hashes;
    std::optional<std::string> sourceError;
    // Per destination: the device that held its roll folder once the folders were made. A drive
    // that goes away leaves the folder's path on the disk beneath (or on nothing), where no
    // manifest or report may be written.
    std::vector<std::optional<dev_t>> rollDevices;
    // Per destination: whether one sync of its volume makes a batch of small files durable, or
    // each file needs its own.
    std::vector<bool> volumeSyncCoversFiles;
    // One iteration per writer plus the hash and the read-ahead run at once; read-back runs
    // one per destination.
    ParallelFor pool;

    // The destination's first error is kept; the tracker hears of every one.
    void fail(int destination, const std::string& message, TransferProgressTracker& tracker);
    bool live(int destination) const { return !errors[destination].has_value(); }
    // 0 while the destination's roll folder is still the one made on its drive; else why not.
    int rollGone(int destination, const std::filesystem::path& roll) const;
};

}  // namespace quillane
