#include "Views/Main/SheetLook.h"

#include <optional>

#include "Product/Product.h"
#include "Support/Lang.h"
#include "Views/Kit/LocalText.h"

namespace quillane {

bool projectNameUsable(const std::string& typedName) {
    // Spaces and tabs only: a line break typed into the name is the model's to refuse.
    return typedName.find_first_not_of(" \t") != std::string::npos;
}

ProjectSheetLook projectSheetLook(const std::string& typedName, const std::string& projectName,
                                    const std::vector<std::string>& recentProjects) {
    ProjectSheetLook look;
    look.startEnabled = projectNameUsable(typedName);
    look.cancelShown = !projectName.empty();
    look.dismissable = look.cancelShown;
    const std::size_t count = std::min<std::size_t>(recentProjects.size(), 5);
    look.recent.assign(recentProjects.begin(), recentProjects.begin() + static_cast<std::ptrdiff_t>(count));
    return look;
}

QString folderSheetConfirmTitle(bool thenTransfer) {
    return thenTransfer ? lq("Toestaan en starten", "Allow and start") : lq("Toestaan", "Allow");
}

QString folderSheetExplanation() {
    return QString::fromUtf8(Product::name) +
           lq(" maakt deze mappen aan volgens jouw structuur. Er wordt niets overschreven.",
                " creates these folders following your structure. Nothing gets overwritten.");
}

AlertButtons alertButtons(const std::optional<std::string>& actionTitle, bool hasAction) {
    if (actionTitle && hasAction)
        return {true, QString::fromStdString(*actionTitle), lq("Annuleren", "Cancel")};
    return {false, {}, QStringLiteral("OK")};
}

}  // namespace quillane
