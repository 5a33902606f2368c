#pragma once
#include <QString>
#include <filesystem>
#include <optional>
#include <string>

#include "Model/DestinationPlan.h"
#include "Model/ModelStates.h"
#include "Model/TransferJobs.h"
#include "Views/Kit/Tone.h"

namespace quillane {

// "in /Work/Clients" when the project structure starts below the volume's root; none at the root.
std::optional<QString> folderTreeBaseLine(const std::filesystem::path& baseURL,
                                          const std::filesystem::path& volumeURL);

// How one planned folder is drawn.
struct PlannedFolderLook {
    const char* symbol;  // "folder.fill" for an existing folder, "folder.badge.plus" for a new one
    Tone iconTone;
    Tone nameTone;
    bool bold = false;
    bool targetMark = false;  // the arrow and "card"
    bool newBadge = false;
};
PlannedFolderLook plannedFolderLook(bool exists, bool isTarget);
QString folderTreeCardWord();
QString folderTreeNewWord();

// "+ 3 extra folders from your settings"; none for 0.
std::optional<QString> extraFoldersLine(int count);

// What the destination column shows around its cards.
struct DestinationColumnLook {
    QString countText;  // empty without destinations
    bool empty = true;
};
DestinationColumnLook destinationColumnLook(std::size_t destinations, std::size_t active);
QString includeSwitchTooltip(bool included);

}  // namespace quillane
