#include "Views/StructureEditor/FolderRowLook.h"

#include "Support/Lang.h"
#include "Support/Text.h"

namespace quillane {

std::optional<FolderRowLook> folderRowLook(const FolderTreeDraft& draft, const UUID& folder, bool hovering,
                                           bool dropTarget) {
    const auto* node = draft.node(folder);
    if (!node) return std::nullopt;
    FolderRowLook look;
    look.isCard = draft.cardFolderID() == folder;
    look.soundBadge = draft.soundFolderID() == folder && !look.isCard;
    if (const auto* variable = FolderVariable::match(node->pattern)) look.variable = *variable;
    look.subfolderMenu = hovering || look.isCard;
    look.fill = dropTarget ? FolderRowLook::Fill::dropTarget
                : hovering ? FolderRowLook::Fill::hover
                           : FolderRowLook::Fill::none;
    return look;
}

std::string chipCaption(const FolderVariable& variable) { return Text::lowercased(variable.shortLabel()); }

std::string chipTooltip(const FolderVariable& variable) {
    return L("Vult zich automatisch: ", "Fills in automatically: ") + chipCaption(variable);
}

std::string newFolderName() { return L("NIEUWE_MAP", "NEW_FOLDER"); }

FolderMenu folderMenu(const FolderTreeDraft& draft, const UUID& folder) {
    using A = FolderMenuItem::Action;
    const auto item = [](A action, std::string title) { return FolderMenuItem{action, std::move(title), true, {}}; };
    const auto* node = draft.node(folder);
    const bool isCard = draft.cardFolderID() == folder;
    const bool isSound = draft.soundFolderID() == folder;

    FolderMenu menu;
    menu.marks.push_back({A::putCards, L("Kaarten in deze map zetten", "Put cards in this folder"), !isCard, {}});
    if (isSound) menu.marks.push_back(item(A::soundBack, L("Geluid terug bij de kaarten", "Put sound back with the cards")));
    else menu.marks.push_back(item(A::putSound, L("Geluidskaarten in deze map zetten", "Put sound cards in this folder")));
    menu.variablesTitle = L("Naam wordt automatisch", "Name fills in automatically");
    for (const auto& variable : FolderVariable::all())
        menu.variables.push_back({A::nameBy, variable.title(), true, variable.pattern});
    if (node && FolderVariable::match(node->pattern))
        menu.naming.push_back(item(A::typeName, L("Zelf een naam typen", "Type a name yourself")));
    menu.order = {item(A::moveUp, L("Omhoog", "Move up")), item(A::moveDown, L("Omlaag", "Move down"))};
    menu.remove = item(A::remove, L("Verwijderen", "Delete"));
    return menu;
}

void perform(FolderTreeDraft& draft, const UUID& folder, const FolderMenuItem& item, const std::string& example) {
    using A = FolderMenuItem::Action;
    switch (item.action) {
        case A::putCards: draft.setCardFolderID(folder); break;
        case A::putSound: draft.setSoundFolderID(folder); break;
        case A::soundBack: draft.setSoundFolderID(std::nullopt); break;
        case A::nameBy: draft.rename(folder, item.pattern); break;
        case A::typeName: draft.rename(folder, Text::uppercased(example)); break;
        case A::moveUp: draft.shift(folder, -1); break;
        case A::moveDown: draft.shift(folder, 1); break;
        case A::remove: draft.remove(folder); break;
    }
}

}  // namespace quillane
