#include "Views/TransferColumn/RecentTransferLook.h"

#include <algorithm>

#include "Detection/ByteFormat.h"
#include "Support/Lang.h"
#include "Settings/ProjectCatalog.h"

namespace quillane {

std::vector<RecentTransferLook> recentTransferRows(const std::string& project, const std::vector<TransferRecord>& history) {
    ProjectCatalog catalog(project, history);
    std::vector<const ProjectCatalog::Roll*> rolls;
    rolls.reserve(catalog.rolls.size());
    for (const ProjectCatalog::Roll& roll : catalog.rolls) rolls.push_back(&roll);
    std::stable_sort(rolls.begin(), rolls.end(), [](const ProjectCatalog::Roll* a, const ProjectCatalog::Roll* b) {
        return a->lastTransfer > b->lastTransfer;
    });
    if (rolls.size() > recentTransferLimit) rolls.resize(recentTransferLimit);

    std::vector<RecentTransferLook> rows;
    rows.reserve(rolls.size());
    for (const ProjectCatalog::Roll* roll : rolls) {
        std::string drives;
        for (const std::string& label : roll->drives) drives += (drives.empty() ? "" : " + ") + label;
        rows.push_back({roll->id, roll->roll, roll->sourceName, ByteFormat::string(roll->totalBytes), roll->copies(),
                        std::move(drives), true, roll->verified()});
    }
    if (!rows.empty()) rows.back().divider = false;
    return rows;
}

bool recentSizeBesideName(int room, int nameWidth, int sizeWidth, int gap) {
    return nameWidth + gap + sizeWidth <= room;
}

std::string recentTransfersTitle(const std::string& project) {
    return L("Overgezet · ", "Offloaded · ") + project;
}

}  // namespace quillane
