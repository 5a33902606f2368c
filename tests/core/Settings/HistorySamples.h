#pragma once
// Records for the store and catalog tests.
#include <string>
#include <vector>

#include "Settings/TransferRecord.h"
#include "Support/Dates.h"

namespace quillane::testing {

inline std::chrono::system_clock::time_point at(const char* iso) { return *Dates::parseISO8601(iso); }

// A record of a finished transfer with two destinations; n varies every field.
inline TransferRecord sampleRecord(int n) {
    TransferRecord r;
    r.project = "Feature " + std::to_string(n % 7);
    r.roll = "A" + std::to_string(100 + n).substr(0, 3);
    r.sourceName = "CARD_" + std::to_string(n);
    if (n % 2) r.cameraLabel = "ARRI ALEXA 35";
    r.fingerprint = std::to_string(n * 7919) + "-fp";
    r.fileCount = n * 3;
    r.totalBytes = 1'000'000'000'000LL + n;
    r.algorithm = n % 3 ? ChecksumAlgorithm::xxhash64 : ChecksumAlgorithm::md5;
    r.verified = n % 5 != 0;
    r.succeeded = n % 4 != 0;
    r.startedAt = at("2026-03-05T14:07:09Z") + std::chrono::minutes(n);
    r.finishedAt = r.startedAt + std::chrono::seconds(61 + n);
    r.destinations = {TransferRecord::Destination("SSD \"1\"", "/media/SSD1/Feature/A001", true, "UUID-" + std::to_string(n),
                                                  2'000'000'000'000LL),
                      TransferRecord::Destination("Ürsula", "/media/u/Ürsula", false)};
    r.destinations[1].error = "Schijf vol";
    if (n % 3) r.shootDay = n % 30;
    return r;
}

inline std::vector<TransferRecord> sampleHistory(int count) {
    std::vector<TransferRecord> history;
    for (int i = 0; i < count; ++i) history.push_back(sampleRecord(i));
    return history;
}

}  // namespace quillane::testing
