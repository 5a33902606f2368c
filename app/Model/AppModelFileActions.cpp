#include <QPointer>

#include "Model/AppModel.h"
#include "Model/PathRules.h"

// The drive and folder actions that leave the window: eject, open a folder, reveal a file.
namespace quillane {
namespace {

// Tells the crew where the folder is when nothing on this computer could show it.
Desktop::NotShown sayWhereTheFolderIs(AppModel* model) {
    QPointer<AppModel> self(model);
    return [self](const std::filesystem::path& folder) {
        if (!self) return;
        self->setAlert(AlertMessage(L("Map niet geopend", "Folder not opened"),
                                    L("Geen programma op deze computer kon de map tonen. Hij staat hier: ",
                                      "No program on this computer could show the folder. It is here: ") +
                                        folder.string()));
    };
}

}  // namespace

void AppModel::openFolder(const std::filesystem::path& folder) {
    if (showDemoFolderNotice(folder)) return;
    // The nearest folder that exists, but never above two levels ("/media/<user>").
    std::filesystem::path shown = PathRules::standardized(folder);
    for (;;) {
        std::error_code error;
        if (std::filesystem::exists(shown, error)) break;
        if (std::distance(shown.begin(), shown.end()) < 3) break;
        shown = shown.parent_path();
    }
    services_.desktop->openFolder(shown, sayWhereTheFolderIs(this));
}

void AppModel::showInFileManager(const std::filesystem::path& item) {
    if (showDemoFolderNotice(item)) return;
    services_.desktop->reveal(item, sayWhereTheFolderIs(this));
}

void AppModel::openReport(const std::filesystem::path& report) {
    if (showDemoFolderNotice(report)) return;
    if (services_.desktop->openFile(report)) return;
    setAlert(AlertMessage(L("Rapport niet geopend", "Report not opened"),
                          L("Geen programma op deze computer kon het rapport openen. Het staat hier: ",
                            "No program on this computer could open the report. It is here: ") +
                              report.string()));
}

void AppModel::eject(const DriveState& drive) {
    if (PathRules::isDemoLocation(drive.info.url)) {
        demoEjected_.insert(drive.info.id);
        updateDrives();
        return;
    }
    // A drive that went is reported by the volume watcher; only a refusal comes back here.
    QPointer<AppModel> self(this);
    services_.ejector->eject(drive.info.url, [self](std::optional<std::string> refusal) {
        if (self && refusal) self->setAlert(AlertMessage(L("Uitwerpen mislukt", "Eject failed"), *refusal));
    });
}

}  // namespace quillane
