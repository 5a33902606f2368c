#include "Views/TransferColumn/ColumnInputs.h"

#include "Model/AppModel.h"

namespace quillane {
namespace {

template <class T>
const T* pointer(const std::optional<T>& value) {
    return value ? &*value : nullptr;
}

// A destination of the running or last transfer by its name in the volume list now; the name
// the transfer knew it by when it is not mounted.
std::string destinationName(const AppModel& model, std::size_t index, const std::string& known) {
    const std::vector<std::string>& ids = model.transferDriveIDs();
    if (index < ids.size())
        for (const DriveState& drive : model.drives())
            if (drive.id() == ids[index] && !drive.info.name.empty()) return drive.info.name;
    return known;
}

}  // namespace

StatusHeadlineInput statusHeadlineInput(const AppModel& model) {
    StatusHeadlineInput input;
    input.state = model.transferState();
    if (model.scan() && model.selectedSource() != nullptr)
        input.card = StatusHeadlineInput::Card{model.scan()->totalBytes, model.scan()->fileCount()};
    input.progress = pointer(model.progress());
    input.lastResult = pointer(model.lastResult());
    if (input.state == TransferState::paused) input.pausedMissingDrives = model.pausedMissingDrives();
    input.pausedBySleep = model.pausedBySleep();
    if (input.state == TransferState::failed && input.lastResult) {
        const std::vector<DestinationResult>& destinations = input.lastResult->destinations;
        for (std::size_t i = 0; i < destinations.size(); ++i) {
            if (destinations[i].succeeded()) continue;
            const std::string name = destinationName(model, i, destinations[i].name);
            if (!name.empty()) input.failedDrives.push_back(name);
        }
    }
    return input;
}

DestinationBarsInput destinationBarsInput(const AppModel& model) {
    DestinationBarsInput input;
    input.state = model.transferState();
    input.progress = pointer(model.progress());
    input.lastResult = pointer(model.lastResult());
    input.transferDriveIDs = model.transferDriveIDs();
    input.transferVerifies = model.transferVerifies();
    input.transferRollURLs = model.transferRollURLs();
    if (input.state == TransferState::idle) {
        for (const DestinationPlan& plan : model.plans())
            input.plans.push_back({plan.driveID, plan.driveName, plan.rollURL, plan.freeBytes, plan.requiredBytes,
                                   plan.rollHasContent});
    }
    for (const DriveState& drive : model.drives()) input.connectedDrives.emplace(drive.id(), drive.info.name);
    return input;
}

ActionAreaInput actionAreaInput(const AppModel& model) {
    ActionAreaInput input;
    input.state = model.transferState();
    if (input.state == TransferState::idle) {
        // TRANSFER that resumes waits only for the paused transfer's own drives.
        input.blockReason = model.transferResumes() ? model.resumeWaitsFor() : model.blockReason();
        input.transferAvailable = model.canRequestTransfer();
        // A resume goes on in the folders its job made; the planned ones are the next card's.
        input.foldersMissing = !model.transferResumes() && !model.missingFolders().empty();
    }
    input.progress = pointer(model.progress());
    input.lastResult = pointer(model.lastResult());
    input.selectedSourceConnected = model.selectedSource() != nullptr;
    input.transferVerifies = model.transferVerifies();
    return input;
}

ModelFields statusHeadlineFields() {
    using F = ModelField;
    return {F::transferState, F::scan,       F::drives,         F::selectedSourceID, F::progress,
            F::lastResult,    F::pausedJob,  F::pausedDriveIDs, F::pausedBySleep,    F::settings};
}

ModelFields destinationBarsFields() {
    using F = ModelField;
    return {F::drives,           F::transferState,    F::progress, F::transferDriveIDs, F::transferVerifies,
            F::transferRollURLs, F::lastResult,       F::plans,    F::settings};
}

}  // namespace quillane
