#include "Views/Main/FolderTreeLook.h"

#include "Support/Counts.h"
#include "Support/Lang.h"
#include "Views/Kit/LocalText.h"

namespace quillane {

namespace {
// The path without "." and ".." steps and without a trailing separator.
std::string standardized(const std::filesystem::path& path) {
    std::string text = path.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    return text;
}
}  // namespace

std::optional<QString> folderTreeBaseLine(const std::filesystem::path& baseURL,
                                          const std::filesystem::path& volumeURL) {
    const std::string base = standardized(baseURL);
    const std::string volume = standardized(volumeURL);
    if (base == volume) return std::nullopt;
    std::string rest = base;
    // Only a base folder inside the volume loses the volume's part; anything else is shown whole.
    if (volume == "/") rest = base;
    else if (base.size() > volume.size() && base.compare(0, volume.size(), volume) == 0 && base[volume.size()] == '/')
        rest = base.substr(volume.size());
    return QStringLiteral("in ") + QString::fromStdString(rest);
}

PlannedFolderLook plannedFolderLook(bool exists, bool isTarget) {
    PlannedFolderLook look{exists ? "folder.fill" : "folder.badge.plus", exists ? Tone::secondary : Tone::accent,
                       (exists || isTarget) ? Tone::text : Tone::secondary};
    look.bold = isTarget;
    look.targetMark = isTarget;
    look.newBadge = !exists;
    return look;
}

QString folderTreeCardWord() { return lq("kaart", "card"); }
QString folderTreeNewWord() { return lq("nieuw", "new"); }

std::optional<QString> extraFoldersLine(int count) {
    if (count < 1) return std::nullopt;
    return QStringLiteral("+ ") + QString::fromStdString(countText(count, Counted::extraFolders)) +
           lq(" uit je instellingen", " from your settings");
}

DestinationColumnLook destinationColumnLook(std::size_t destinations, std::size_t active) {
    DestinationColumnLook look;
    look.empty = destinations == 0;
    if (!look.empty) look.countText = QString::number(active);
    return look;
}

QString includeSwitchTooltip(bool included) {
    return included ? lq("Deze SSD krijgt een kopie", "This SSD gets a copy") : lq("Overgeslagen", "Skipped");
}

}  // namespace quillane
