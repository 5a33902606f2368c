#pragma once
#include <string>
#include <vector>

#include "Settings/ProjectCatalog.h"
#include "Transfer/ReportDates.h"
#include "Views/Kit/DriveChip.h"

// What the project overview shows, decided from the project's catalog alone: the widgets only
// draw these values.
namespace quillane::ProjectOverviewLook {

// Shown instead of everything else when the project has no card yet.
std::string emptyText();

// The banner on top: safe when every card is on at least two drives.
struct Banner {
    bool safe = true;  // accent tint and a sealed check mark, else warning tint and a triangle
    std::string symbol;
    std::string headline;
    std::vector<std::string> advice;  // one line per unsafe card, only for one to three of them
    std::string summary;
    friend bool operator==(const Banner&, const Banner&) = default;
};
Banner banner(const ProjectCatalog& catalog);

struct SectionTitle {
    std::string title;
    std::string trailing;
    friend bool operator==(const SectionTitle&, const SectionTitle&) = default;
};
SectionTitle drivesTitle(const ProjectCatalog& catalog);
// "Cards" for the rolls without a shoot day, else "Shoot day N"; trailing: the number of rolls.
SectionTitle dayTitle(const ProjectCatalog::Day& day);

struct DriveTile {
    std::string label;
    bool connected = false;  // accent dot, else tertiary
    std::string dotToolTip;
    std::string detail;  // "3 cards · 1.2 TB"
    friend bool operator==(const DriveTile&, const DriveTile&) = default;
};
DriveTile driveTile(const ProjectCatalog::Drive& drive, bool connected);

struct RollRow {
    std::string roll;
    std::string sourceName;
    std::string detail;  // camera label, size and time of the last transfer
    std::vector<DriveChipLook> chips;  // verified drives first, then failed ones
    int copies = 0;
    bool verified = true;  // every copy was read back
    friend bool operator==(const RollRow&, const RollRow&) = default;
};
// times: a shortTime formatter in the current language, made once for all rows.
RollRow rollRow(const ProjectCatalog::Roll& roll, const ReportDates::Formatter& times);

}  // namespace quillane::ProjectOverviewLook
