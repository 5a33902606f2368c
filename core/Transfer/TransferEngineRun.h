#pragma once
// The state of one TransferEngine::run(), shared by the engine's source files only.
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
    // One iteration per writer plus the hash and the read-ahead run at once; read-back runs
    // one per destination.
    ParallelFor pool;

    // The destination's first error is kept; the tracker hears of every one.
    void fail(int destination, const std::string& message, TransferProgressTracker& tracker);
    bool live(int destination) const { return !errors[destination].has_value(); }
};

}  // namespace quillane
