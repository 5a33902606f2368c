#pragma once
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Hashing/ChecksumAlgorithm.h"
#include "Settings/JSONStore.h"
#include "Support/UUID.h"

namespace quillane {

struct TransferResult;

// One history entry per finished transfer of a card, kept in history.json (newest first).
struct TransferRecord {
    using TimePoint = std::chrono::system_clock::time_point;

    // Where one copy went and how it ended there.
    struct Destination {
        std::string name;
        std::string path;                     // the roll folder on that drive
        bool succeeded = false;               // complete and, when verified, correct
        std::optional<std::string> error;     // why it did not succeed
        std::optional<std::string> volumeID;  // the drive's identity at the time of the transfer
        std::optional<std::int64_t> capacity;

        Destination() = default;
        // An entry of a staged history, without an error.
        Destination(std::string name, std::string path, bool succeeded,
                    std::optional<std::string> volumeID = std::nullopt,
                    std::optional<std::int64_t> capacity = std::nullopt);
        friend bool operator==(const Destination&, const Destination&) = default;
    };

    UUID id = UUID::random();
    std::string project;
    std::string roll;
    std::string sourceName;
    std::optional<std::string> cameraLabel;
    std::string fingerprint;
    int fileCount = 0;
    std::int64_t totalBytes = 0;
    ChecksumAlgorithm algorithm = ChecksumAlgorithm::xxhash64;
    bool verified = false;
    bool succeeded = false;
    TimePoint startedAt{};
    TimePoint finishedAt{};
    std::vector<Destination> destinations;
    std::optional<int> shootDay;

    // The most records the history keeps.
    static constexpr std::size_t historyLimit = 500;

    TransferRecord() = default;
    // The record of a finished job. A destination of a result that stopped on a source error
    // never counts as succeeded: the copy on it is incomplete.
    TransferRecord(std::string project, std::string roll, std::optional<int> shootDay, std::string sourceName,
                   std::optional<std::string> cameraLabel, std::string fingerprint, const TransferResult& result);
    // A record of a staged history: algorithm xxHash64, started ten minutes before it
    // finished, succeeded when every destination did.
    TransferRecord(std::string project, std::string roll, std::optional<int> shootDay, std::string sourceName,
                   std::optional<std::string> cameraLabel, std::string fingerprint, int fileCount,
                   std::int64_t totalBytes, TimePoint finishedAt, std::vector<Destination> destinations,
                   bool verified);

    friend bool operator==(const TransferRecord&, const TransferRecord&) = default;

    // Puts record first and drops the oldest beyond historyLimit.
    static void insertIntoHistory(std::vector<TransferRecord>& history, TransferRecord record);
};

// Strict: every required key present with a value of its type, or the record does not decode.
template <>
struct JSONCodec<TransferRecord> {
    static JSONCoding::Json encode(const TransferRecord& record);
    static std::optional<TransferRecord> decode(const JSONCoding::Json& json);
};

// The history file: an array of records; one bad record fails the whole file.
template <>
struct JSONCodec<std::vector<TransferRecord>> {
    static JSONCoding::Json encode(const std::vector<TransferRecord>& history);
    static std::optional<std::vector<TransferRecord>> decode(const JSONCoding::Json& json);
};

}  // namespace quillane
