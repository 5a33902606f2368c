#pragma once
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Hashing/ChecksumAlgorithm.h"

namespace quillane {

// The outcome of a transfer on one destination.
struct DestinationResult {
    // The destination's index in the job.
    int id = 0;
    std::string name;
    std::filesystem::path rollURL;
    // The first error that took this destination out of the transfer. Read-back failures
    // do not set it; they go into failedFiles.
    std::optional<std::string> error;
    // Relative paths whose read-back failed, in the order they were read back.
    std::vector<std::string> failedFiles;
    // Files that already stood here with the right size and were not copied again.
    int resumedFiles = 0;
    // Files whose read-back checksum matched the source.
    int verifiedFiles = 0;
    // The manifest written last (the ASC MHL one when both are written).
    std::optional<std::filesystem::path> mhlURL;
    std::optional<std::filesystem::path> reportURL;

    bool succeeded() const { return !error && failedFiles.empty(); }
    bool operator==(const DestinationResult&) const = default;
};

// The outcome of a transfer.
struct TransferResult {
    std::chrono::system_clock::time_point startedAt{};
    std::chrono::system_clock::time_point finishedAt{};
    // Files and bytes of the job, not those copied.
    int fileCount = 0;
    std::int64_t totalBytes = 0;
    ChecksumAlgorithm algorithm = ChecksumAlgorithm::xxhash64;
    // The job's verify switch.
    bool verified = false;
    // A stop (cancel or pause) ended the run before it finished. Read together with paused, at
    // one moment: a stop that comes after every destination finished leaves both false.
    bool cancelled = false;
    // What stopped the whole transfer on the source side.
    std::optional<std::string> sourceError;
    std::vector<DestinationResult> destinations;
    // Per job file: the source checksum as read while copying; none for a file the copy
    // pass did not get through.
    std::vector<std::optional<std::string>> hashes;
    // The stop was a pause (then cancelled is set too).
    bool paused = false;

    // Whether the destination at this index got a complete, sound copy: the run ended without a
    // source error, a cancel or a pause, and the destination without an error or a failed
    // read-back. The one answer for the history, the notifications and every view.
    bool gotCompleteCopy(std::size_t destination) const;
    bool allSucceeded() const;
    // Bytes per second over the whole run; 0 when the interval is not positive.
    double averageRate() const;
    bool operator==(const TransferResult&) const = default;
};

}  // namespace quillane
