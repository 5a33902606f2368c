#include "Settings/TransferRecord.h"

#include <algorithm>

#include "Support/Counts.h"
#include "Support/Lang.h"
#include "Transfer/TransferResult.h"

namespace quillane {

TransferRecord::Destination::Destination(std::string name, std::string path, bool succeeded,
                                         std::optional<std::string> volumeID, std::optional<std::int64_t> capacity)
    : name(std::move(name)),
      path(std::move(path)),
      succeeded(succeeded),
      volumeID(std::move(volumeID)),
      capacity(capacity) {}

TransferRecord::TransferRecord(std::string project, std::string roll, std::optional<int> shootDay,
                               std::string sourceName, std::optional<std::string> cameraLabel,
                               std::string fingerprint, int fileCount, std::int64_t totalBytes, TimePoint finishedAt,
                               std::vector<Destination> destinations, bool verified)
    : project(std::move(project)),
      roll(std::move(roll)),
      sourceName(std::move(sourceName)),
      cameraLabel(std::move(cameraLabel)),
      fingerprint(std::move(fingerprint)),
      fileCount(fileCount),
      totalBytes(totalBytes),
      algorithm(ChecksumAlgorithm::xxhash64),
      verified(verified),
      succeeded(std::all_of(destinations.begin(), destinations.end(),
                            [](const Destination& d) { return d.succeeded; })),
      startedAt(finishedAt - std::chrono::seconds(600)),
      finishedAt(finishedAt),
      destinations(std::move(destinations)),
      shootDay(shootDay) {}

TransferRecord::TransferRecord(std::string project, std::string roll, std::optional<int> shootDay,
                               std::string sourceName, std::optional<std::string> cameraLabel,
                               std::string fingerprint, const TransferResult& result)
    : project(std::move(project)),
      roll(std::move(roll)),
      sourceName(std::move(sourceName)),
      cameraLabel(std::move(cameraLabel)),
      fingerprint(std::move(fingerprint)),
      fileCount(result.fileCount),
      totalBytes(result.totalBytes),
      algorithm(result.algorithm),
      verified(result.verified),
      succeeded(result.allSucceeded()),
      startedAt(result.startedAt),
      finishedAt(result.finishedAt),
      shootDay(shootDay) {
    destinations.reserve(result.destinations.size());
    for (std::size_t index = 0; index < result.destinations.size(); ++index) {
        const DestinationResult& outcome = result.destinations[index];
        Destination d;
        d.name = outcome.name;
        d.path = outcome.rollURL.string();
        if (outcome.error) {
            d.error = outcome.error;
        } else if (result.sourceError) {
            // The card failed mid-copy: nothing on this drive is a complete copy.
            d.error = result.sourceError;
        } else if (!outcome.failedFiles.empty()) {
            d.error = countText(static_cast<std::int64_t>(outcome.failedFiles.size()), Counted::files) +
                      L(" niet geverifieerd", " not verified");
        }
        d.succeeded = !d.error && result.gotCompleteCopy(index);
        destinations.push_back(std::move(d));
    }
}

void TransferRecord::insertIntoHistory(std::vector<TransferRecord>& history, TransferRecord record) {
    history.insert(history.begin(), std::move(record));
    if (history.size() > historyLimit) history.resize(historyLimit);
}

}  // namespace quillane
