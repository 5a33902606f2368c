#pragma once
#include <QDate>
#include <optional>
#include <string>
#include <vector>

#include "Detection/DriveInfo.h"
#include "Settings/TransferRecord.h"

namespace quillane::Snapshot {

// Dresses the three test volumes of the screenshots as a card in a built-in reader and two
// SSDs of known models; every other volume is hidden (none).
std::optional<DriveInfo> demoDrive(const DriveInfo& info);

// Seven fictional card transfers over two shoot days, yesterday and today, oldest first.
std::vector<TransferRecord> demoHistory(const std::string& project, QDate today = QDate::currentDate());

}  // namespace quillane::Snapshot
