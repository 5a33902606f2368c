#include "Transfer/TransferJob.h"

namespace quillane {

TransferJob::TransferJob(std::string projectName, std::string rollName, std::string sourceName,
                         const SourceScan& scan, std::vector<TransferDestination> destinations,
                         ChecksumAlgorithm algorithm, bool verify, bool writeMHL)
    : projectName(std::move(projectName)),
      rollName(std::move(rollName)),
      sourceName(std::move(sourceName)),
      sourceRoot(scan.root),
      files(scan.files),
      directories(scan.directories),
      destinations(std::move(destinations)),
      algorithm(algorithm),
      verify(verify),
      writeMHL(writeMHL) {}

std::int64_t TransferJob::totalBytes() const {
    std::int64_t total = 0;
    for (const ScannedFile& file : files) total += file.size;
    return total;
}

std::vector<std::string> TransferJob::destinationNames() const {
    std::vector<std::string> names;
    names.reserve(destinations.size());
    for (const TransferDestination& destination : destinations) names.push_back(destination.name);
    return names;
}

std::vector<std::int64_t> TransferJob::readBackTotals() const {
    return std::vector<std::int64_t>(destinations.size(), verify ? totalBytes() : 0);
}

}  // namespace quillane
