#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Model/AppModel.h"
#include "Model/ModelStaging.h"

// Drives, scans, plans and transfers of a busy cart, staged on a real model for the main window's
// tests, renders and benchmark: cards and SSDs in /media that never touch the disk.
namespace quillane::testing {

DriveState stagedCard(const std::string& id, const std::string& name, bool sound = false);
DriveState stagedSSD(const std::string& id, const std::string& name, std::int64_t free = 1'400'000'000'000);
DriveState stagedOther(const std::string& id, const std::string& name, std::vector<std::string> reasons = {});
SourceScan stagedScan(std::int64_t bytes, int files);
// A plan below /media/<name>/ with the project, FOOTAGE and roll folders; missing from `missingFrom` on.
DestinationPlan stagedPlan(const DriveState& ssd, const std::string& project, const std::string& roll,
                           std::int64_t required, int missingFrom = 3);
TransferProgress stagedProgress(const std::vector<DestinationPlan>& plans, TransferPhase phase, double fraction,
                                std::int64_t total);
TransferResult stagedResult(const std::vector<DestinationPlan>& plans, bool verified,
                            std::optional<std::string> sourceError = std::nullopt);

// The whole cart: `ssds` SSDs, `cards` cards (the first selected and scanned), `queued` of the others
// queued, one other drive, a project, and the transfer in `state` (progress or result as it fits).
void stageCart(ModelStaging stage, int ssds, int cards, int queued, TransferState state);

}  // namespace quillane::testing
