#include "Settings/TransferRecord.h"

#include <algorithm>

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

void TransferRecord::insertIntoHistory(std::vector<TransferRecord>& history, TransferRecord record) {
    history.insert(history.begin(), std::move(record));
    if (history.size() > historyLimit) history.resize(historyLimit);
}

}  // namespace quillane
