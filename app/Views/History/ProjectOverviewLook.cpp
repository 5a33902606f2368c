#include "Views/History/ProjectOverviewLook.h"

#include "Detection/ByteFormat.h"
#include "Support/Counts.h"
#include "Support/Lang.h"
#include "Support/Text.h"
#include "Transfer/ReportDates.h"

namespace quillane::ProjectOverviewLook {
namespace {

const std::string separator = " \u00B7 ";

std::string adviceLine(const ProjectCatalog::Roll& roll) {
    if (roll.drives.empty())
        return roll.roll + L(" staat op geen enkele schijf: zet de kaart opnieuw over",
                             " is on no drive: offload the card again");
    return roll.roll + L(" staat alleen op ", " is only on ") + Text::joined(roll.drives, ", ") +
           L(": zet de kaart nog een keer over naar een tweede schijf", ": offload the card once more to a second drive");
}

constexpr CountWords cardsNotBackedUp{{"kaart staat nog niet dubbel", "kaarten staan nog niet dubbel"},
                                      {"card is not backed up twice yet", "cards are not backed up twice yet"}};

std::string driveCount(std::size_t count) { return countText(static_cast<std::int64_t>(count), Counted::drives); }
std::string cardCount(std::size_t count) { return countText(static_cast<std::int64_t>(count), Counted::cards); }

}  // namespace

std::string emptyText() {
    return L("Nog geen kaarten overgezet in dit project.", "No cards offloaded in this project yet.");
}

Banner banner(const ProjectCatalog& catalog) {
    const std::vector<ProjectCatalog::Roll> unsafe = catalog.unsafeRolls();
    const std::size_t n = unsafe.size();
    Banner look;
    look.safe = n == 0;
    look.symbol = look.safe ? "checkmark.seal.fill" : "exclamationmark.triangle.fill";
    if (n == 0) look.headline = L("Elke kaart staat dubbel", "Every card is backed up twice");
    else look.headline = countText(static_cast<std::int64_t>(n), cardsNotBackedUp);
    if (n >= 1 && n <= 3)
        for (const auto& roll : unsafe) look.advice.push_back(adviceLine(roll));
    look.summary = cardCount(catalog.rolls.size()) + separator +
                   ByteFormat::string(catalog.totalBytes()) + separator + driveCount(catalog.drives.size());
    return look;
}

SectionTitle drivesTitle(const ProjectCatalog& catalog) {
    return {L("Schijven", "Drives"), std::to_string(catalog.drives.size())};
}

SectionTitle dayTitle(const ProjectCatalog::Day& day) {
    std::string title = day.day ? L("Draaidag ", "Shoot day ") + std::to_string(*day.day) : L("Kaarten", "Cards");
    return {std::move(title), std::to_string(day.rolls.size())};
}

DriveTile driveTile(const ProjectCatalog::Drive& drive, bool connected) {
    return {drive.label, connected, connected ? L("Aangesloten", "Connected") : L("Niet aangesloten", "Not connected"),
            cardCount(drive.rollCount) + separator + ByteFormat::string(drive.bytes)};
}

RollRow rollRow(const ProjectCatalog::Roll& roll, const ReportDates::Formatter& times) {
    RollRow look;
    look.roll = roll.roll;
    look.sourceName = roll.sourceName;
    std::vector<std::string> parts;
    if (roll.cameraLabel && !roll.cameraLabel->empty()) parts.push_back(*roll.cameraLabel);
    parts.push_back(ByteFormat::string(roll.totalBytes));
    parts.push_back(times(roll.lastTransfer));
    look.detail = Text::joined(parts, separator);
    for (const auto& name : roll.drives) look.chips.push_back(driveChipLook(name, false));
    for (const auto& name : roll.failedDrives) look.chips.push_back(driveChipLook(name, true));
    look.copies = roll.copies();
    look.verified = roll.verified();
    return look;
}

}  // namespace quillane::ProjectOverviewLook
