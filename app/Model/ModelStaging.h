#pragma once
#include <optional>
#include <string>
#include <vector>

#include "Model/AppModel.h"

namespace quillane {

// Puts a model into a chosen state without drives or a transfer: for the screenshots and for
// the tests of the views, which run over the real model. Each call notifies like the model's
// own assignments; nothing here saves a store, starts a scan or runs an engine.
class ModelStaging {
public:
    explicit ModelStaging(AppModel& model) : model_(model) {}

    // Volumes as if the volume source reported them (probes of real paths run as usual).
    ModelStaging& volumes(const std::vector<DriveInfo>& infos);
    // The given drive states as they are, without classification or probes.
    ModelStaging& drives(std::vector<DriveState> drives);
    ModelStaging& project(const std::string& name);
    ModelStaging& selectedSource(std::optional<std::string> id);
    ModelStaging& scan(std::optional<SourceScan> scan, ScanState state);
    ModelStaging& history(std::vector<TransferRecord> records);
    ModelStaging& queue(std::vector<QueueItem> items);
    ModelStaging& plans(std::vector<DestinationPlan> plans);

    // A transfer of the current project, roll and scan to the current plans, in the given state:
    // running shows progress and the running job; paused keeps the job as the paused one;
    // succeeded, failed and cancelled hold the result. A progress without a file count gets the
    // job's files counted as the engine would. No engine exists.
    ModelStaging& transfer(TransferState state, std::optional<TransferProgress> progress = std::nullopt,
                           std::optional<TransferResult> result = std::nullopt);
    ModelStaging& pausedBySleep(bool bySleep);
    // Only the progress snapshot, as the running transfer's progress tick sets it.
    ModelStaging& progress(std::optional<TransferProgress> progress);

    // The job the model would start now, from its project, roll, shoot day, source and scan.
    RunningJob jobNow() const;

private:
    AppModel& model_;
};

}  // namespace quillane
