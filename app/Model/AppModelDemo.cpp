#include <algorithm>

#include "Model/AppModel.h"
#include "Model/PathRules.h"

// Demo mode: fictional cards and SSDs, simulated transfers, and a history that forgets them.
namespace quillane {
namespace {

// A record of a demo transfer: the demo project, and every copy on a demo drive. A real
// transfer recorded under the same project name (someone chose it by hand) stays.
bool isDemoRecord(const TransferRecord& record) {
    return record.project == AppModel::demoProjectName &&
           std::all_of(record.destinations.begin(), record.destinations.end(),
                       [](const TransferRecord::Destination& d) { return PathRules::isDemoLocation(d.path); });
}

}  // namespace

void AppModel::startDemo() {
    // A paused transfer would lose its pause: its state turns idle under the demo drives.
    if (demoState_ != DemoState::off || transferState_ == TransferState::running ||
        transferState_ == TransferState::paused || paused_)
        return;
    projectBeforeDemo_ = projectName_;
    assign(projectName_, std::string(demoProjectName), ModelField::projectName);
    assign(rollOverride_, std::optional<std::string>(), ModelField::rollOverride);
    assign(shootDayOverride_, std::optional<int>(), ModelField::shootDayOverride);
    demoUsedBytes_.clear();
    demoEjected_.clear();
    demoFolders_.clear();
    setShowProjectSheet(false);
    assign(transferState_, TransferState::idle, ModelField::transferState);
    replace(lastResult_, std::optional<TransferResult>(), ModelField::lastResult);
    assign(demoState_, DemoState::on, ModelField::demoState);
    assign(selectedSourceID_, std::optional<std::string>(), ModelField::selectedSourceID);
    updateDrives();
}

void AppModel::stopDemo() {
    if (demoState_ != DemoState::on || transferState_ == TransferState::running) return;
    // A paused demo transfer can't outlive its fictional drives.
    if (paused_) discardPausedTransfer();
    replace(queue_, std::vector<QueueItem>(), ModelField::queue);
    dismissFolderRequest();

    const auto kept = std::remove_if(history_.begin(), history_.end(), isDemoRecord);
    if (kept != history_.end()) {
        history_.erase(kept, history_.end());
        markChanged(ModelField::history);
    }
    historyStore_.save(history_);

    // Without a project before the demo, the crew chooses one: real transfers never land under
    // the demo project (the next stop would remove them from the history).
    const std::string before = projectBeforeDemo_.value_or(std::string());
    projectBeforeDemo_.reset();
    assign(projectName_, before, ModelField::projectName);
    if (before.empty()) setShowProjectSheet(true);

    assign(transferState_, TransferState::idle, ModelField::transferState);
    replace(lastResult_, std::optional<TransferResult>(), ModelField::lastResult);
    assign(demoState_, DemoState::off, ModelField::demoState);
    assign(selectedSourceID_, std::optional<std::string>(), ModelField::selectedSourceID);
    assign(excludedDestinationIDs_, std::set<std::string>(), ModelField::excludedDestinationIDs);
    updateDrives();
}

void AppModel::addDemoHistory(const std::vector<TransferRecord>& records) {
    history_.insert(history_.end(), records.begin(), records.end());
    std::stable_sort(history_.begin(), history_.end(),
                     [](const TransferRecord& a, const TransferRecord& b) { return a.finishedAt > b.finishedAt; });
    markChanged(ModelField::history);
}

bool AppModel::showDemoFolderNotice(const std::filesystem::path& location) {
    if (!PathRules::isDemoLocation(location)) return false;
    setAlert(AlertMessage(L("Demo-modus", "Demo mode"),
                          L("In de demo bestaan de schijven en mappen niet echt, dus er valt niets te openen in de "
                            "bestandsbeheerder.",
                            "In the demo the drives and folders don't really exist, so there is nothing to open in "
                            "the file manager.")));
    return true;
}

}  // namespace quillane
