#pragma once
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Hashing/ChecksumAlgorithm.h"
#include "Transfer/MHLFormat.h"
#include "Transfer/ReportInfo.h"
#include "Transfer/SourceScan.h"

namespace quillane {

// One target of a transfer: a drive's display name, the roll folder on it and the drive itself.
struct TransferDestination {
    std::string name;
    std::filesystem::path rollURL;
    // The device of the drive's volume as planned (DestinationFiles::volumeOf of its mount
    // point). The engine creates and writes nothing when the roll folder no longer lies on it.
    // None: not checked (a folder chosen by hand).
    std::optional<dev_t> volume = std::nullopt;

    bool operator==(const TransferDestination&) const = default;
};

// Everything one transfer needs. The index of a file in `files` and of a destination in
// `destinations` is its identity throughout the transfer.
struct TransferJob {
    std::string projectName;
    std::string rollName;
    std::string sourceName;
    std::filesystem::path sourceRoot;
    std::vector<ScannedFile> files;
    // Every folder the scan recorded, created on every destination before copying.
    std::vector<std::string> directories;
    std::vector<TransferDestination> destinations;
    ChecksumAlgorithm algorithm = ChecksumAlgorithm::xxhash64;
    // Read every file back on every destination; without it only files already present are.
    bool verify = true;
    bool writeMHL = true;
    MHLFormat mhlFormat = MHLFormat::asc;
    // No report is written without it.
    std::optional<ReportWriter::Info> report;

    TransferJob() = default;
    // Takes root, files and folders from the scan; manifests in ASC MHL, no report.
    TransferJob(std::string projectName, std::string rollName, std::string sourceName, const SourceScan& scan,
                std::vector<TransferDestination> destinations, ChecksumAlgorithm algorithm, bool verify,
                bool writeMHL);

    // The sum of every file's size.
    std::int64_t totalBytes() const;
    // The destinations' names, in job order.
    std::vector<std::string> destinationNames() const;
    // Per destination, the bytes read-back is expected to cover before the copy pass knows
    // better: every byte when the job verifies, none otherwise.
    std::vector<std::int64_t> readBackTotals() const;
};

}  // namespace quillane
