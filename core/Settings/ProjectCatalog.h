#pragma once
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Settings/TransferRecord.h"

namespace quillane {

// One project's overview, computed from the history: which cards (rolls) were offloaded,
// onto which drives, and whether every card is on at least two drives. Never stored.
struct ProjectCatalog {
    using TimePoint = std::chrono::system_clock::time_point;

    // Copies on distinct drives that make a roll safe.
    static constexpr int requiredCopies = 2;

    struct Roll {
        std::string id;  // the card's fingerprint, or "roll:" + roll name without one
        std::string roll;
        std::optional<int> shootDay;
        std::string sourceName;
        std::optional<std::string> cameraLabel;
        std::int64_t totalBytes = 0;
        int fileCount = 0;
        TimePoint lastTransfer{};
        std::vector<std::string> driveIDs;        // drives with a complete copy, first success first
        std::vector<std::string> failedDriveIDs;  // drives with only failed copies
        std::vector<std::string> drives;          // labels of driveIDs
        std::vector<std::string> failedDrives;    // labels of failedDriveIDs
        // Of driveIDs, the drives whose copy was made with verification off and never read back.
        std::vector<std::string> unverifiedDriveIDs;

        int copies() const { return static_cast<int>(driveIDs.size()); }
        // Every copy was read back and compared.
        bool verified() const { return unverifiedDriveIDs.empty(); }
        bool isSafe() const { return copies() >= requiredCopies; }
        friend bool operator==(const Roll&, const Roll&) = default;
    };

    struct Drive {
        std::string id;     // the volume's identity, or "name:" + lower-cased name without one
        std::string name;   // the newest name seen
        std::string label;  // the name made unique among the project's drives
        int rollCount = 0;
        std::int64_t bytes = 0;
        friend bool operator==(const Drive&, const Drive&) = default;
    };

    struct Day {
        std::optional<int> day;
        std::vector<Roll> rolls;
    };

    std::string project;
    std::vector<Roll> rolls;    // in order of each card's first transfer
    std::vector<Drive> drives;  // drives with at least one copy, in order of first appearance

    // Takes the records of the project (name compared ignoring case) from a history in any order.
    ProjectCatalog(std::string project, const std::vector<TransferRecord>& history);

    // Every card counted once.
    std::int64_t totalBytes() const;
    // Rolls on fewer than two drives, in roll order.
    std::vector<Roll> unsafeRolls() const;
    // Rolls grouped by shoot day, ascending; rolls without a day sort as day 0.
    std::vector<Day> days() const;

    // The distinct project names of a history, most recently transferred first, each with
    // the capitalisation of its most recent record.
    static std::vector<std::string> projects(const std::vector<TransferRecord>& history);
};

}  // namespace quillane
