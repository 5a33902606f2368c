#pragma once
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Settings/TransferRecord.h"

namespace quillane::SelfTestLog {

// ["SSD_1", "SSD_2"]: each name in double quotes, ", " between them, in square brackets.
std::string listDescription(const std::vector<std::string>& items);
// The whole percent of a progress fraction, cut toward zero; 0 without progress.
int percent(std::optional<double> fraction);

std::string startLine(const std::string& roll, const std::string& card, std::int64_t totalBytes,
                      std::vector<std::string> destinations, const std::vector<std::string>& path);
std::string queuedLine(const std::string& card, const std::optional<std::string>& roll,
                       const std::vector<std::string>& path);
// The second card started on its own because the first was done before it could be queued.
std::string startedAfterLine(const std::string& card, const std::string& roll, const std::vector<std::string>& path);
std::string historyLine(const TransferRecord& record);
std::string searchLine(const std::string& roll, const std::string& relativePath,
                       const std::vector<std::pair<std::string, bool>>& locations);
std::string reportLine(const std::optional<std::string>& report, const std::optional<std::string>& mhl);
std::string freeLine(const std::string& volume, std::int64_t available);
// The lines with one line feed between them and none after the last.
std::string joined(const std::vector<std::string>& lines);

}  // namespace quillane::SelfTestLog
