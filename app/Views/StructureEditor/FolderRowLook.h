#pragma once
#include <optional>
#include <string>
#include <vector>

#include "Views/StructureEditor/FolderTreeDraft.h"
#include "Views/StructureEditor/FolderVariable.h"

namespace quillane {

// What one folder row of the tree editor shows, decided from the draft.
struct FolderRowLook {
    enum class Fill { none, hover, dropTarget };

    bool isCard = false;                      // the cards go here: accent folder symbol and card badge
    bool soundBadge = false;                  // the sound goes here (and the cards do not)
    std::optional<FolderVariable> variable;   // shown as a chip instead of a name field
    bool subfolderMenu = false;               // shown while hovered, and always on the card folder
    Fill fill = Fill::none;

    bool operator==(const FolderRowLook&) const = default;
};

// None when the folder is gone (the row then draws nothing).
std::optional<FolderRowLook> folderRowLook(const FolderTreeDraft& draft, const UUID& folder, bool hovering,
                                           bool dropTarget);

// The chip's tooltip and its caption: "Fills in automatically: shoot day", "shoot day".
std::string chipTooltip(const FolderVariable& variable);
std::string chipCaption(const FolderVariable& variable);

// The name of a folder made from a menu, in the language of the moment of the click.
std::string newFolderName();

// One entry of a folder row's ••• menu, and what it does.
struct FolderMenuItem {
    enum class Action { putCards, putSound, soundBack, nameBy, typeName, moveUp, moveDown, remove };

    Action action = Action::putCards;
    std::string title;
    bool enabled = true;
    std::string pattern;  // for nameBy: the variable's pattern

    bool operator==(const FolderMenuItem&) const = default;
};

// The ••• menu in its sections: the marks, the variables (a submenu), typing a name, the order,
// then delete. Titles are in the current language.
struct FolderMenu {
    std::vector<FolderMenuItem> marks;
    std::string variablesTitle;
    std::vector<FolderMenuItem> variables;
    std::vector<FolderMenuItem> naming;
    std::vector<FolderMenuItem> order;
    FolderMenuItem remove;
};

FolderMenu folderMenu(const FolderTreeDraft& draft, const UUID& folder);
// Runs one item on the draft; example is the folder's current sample name (for typeName).
void perform(FolderTreeDraft& draft, const UUID& folder, const FolderMenuItem& item, const std::string& example);

}  // namespace quillane
