#include <algorithm>

#include "Model/AppModel.h"
#include "Model/PathRules.h"

// Operations of the demo mode, the update check and the file-manager actions that are not built
// yet: each does nothing until its own file replaces it here.
namespace quillane {

void AppModel::checkForUpdates(bool) {}
void AppModel::downloadUpdate() {}
void AppModel::startDemo() {}
void AppModel::stopDemo() {}
void AppModel::openFolder(const std::filesystem::path&) {}
void AppModel::revealInFinder(const std::filesystem::path&) {}
void AppModel::eject(const DriveState&) {}

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
