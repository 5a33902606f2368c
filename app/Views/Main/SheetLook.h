#pragma once
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

namespace quillane {

// The project sheet's buttons and list.
struct ProjectSheetLook {
    bool startEnabled = false;
    bool cancelShown = false;
    bool dismissable = false;  // by Escape or the window manager
    std::vector<std::string> recent;  // at most five, in stored order
};
ProjectSheetLook projectSheetLook(const std::string& typedName, const std::string& projectName,
                                    const std::vector<std::string>& recentProjects);
// Whether Start (or Return) may hand the typed name to the model: only spaces and tabs count as blank.
bool projectNameUsable(const std::string& typedName);

// The folder sheet's texts.
QString folderSheetConfirmTitle(bool thenTransfer);
QString folderSheetExplanation();

// The alert's buttons: the action and Cancel, or a lone OK.
struct AlertButtons {
    bool hasAction = false;
    QString actionTitle;
    QString closeTitle;
};
AlertButtons alertButtons(const std::optional<std::string>& actionTitle, bool hasAction);

}  // namespace quillane
