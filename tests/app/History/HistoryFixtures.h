#pragma once
// Records of one project for the history sheet and overview tests.
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "Settings/TransferRecord.h"
#include "Support/Dates.h"

namespace quillane::testing {

inline std::chrono::system_clock::time_point morning(int minute) {
    return *Dates::parseISO8601("2026-03-05T09:00:00Z") + std::chrono::minutes(minute);
}

// A verified transfer of a card (its fingerprint is the roll name) to the named drives; a
// name starting with "!" is a drive the transfer failed on.
inline TransferRecord offload(std::string project, std::string roll, std::vector<std::string> drives,
                              std::optional<int> day = std::nullopt, int minute = 0,
                              std::int64_t bytes = 2'000'000'000) {
    std::vector<TransferRecord::Destination> destinations;
    for (const auto& drive : drives) {
        const bool failed = !drive.empty() && drive[0] == '!';
        const std::string name = failed ? drive.substr(1) : drive;
        destinations.emplace_back(name, "/media/" + name + "/" + project + "/" + roll, !failed, "id-" + name);
    }
    TransferRecord record(std::move(project), roll, day, "CARD_" + roll, std::nullopt, "fp-" + roll, 10, bytes,
                          morning(minute), std::move(destinations), true);
    return record;
}

}  // namespace quillane::testing
