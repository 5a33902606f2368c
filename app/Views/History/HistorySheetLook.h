#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Settings/ClipCatalog.h"
#include "Transfer/ReportDates.h"

// What the history sheet shows, decided from the model's values and the sheet's own query and
// picked project: the widgets only draw these values.
namespace quillane::HistorySheetLook {

// The most hits a search shows.
inline constexpr std::size_t hitLimit = 200;

// The project the sheet shows: the one picked in the header, else the first of projects equal to
// the main window's project ignoring case (with the history's capitalisation), else the first.
std::optional<std::string> currentProject(const std::vector<std::string>& projects,
                                          const std::optional<std::string>& picked, std::string_view projectName);

struct Header {
    enum class Kind { overview, single, menu };  // no project, one project, a menu of several
    Kind kind = Kind::overview;
    std::string title;
    friend bool operator==(const Header&, const Header&) = default;
};
Header header(const std::vector<std::string>& projects, const std::optional<std::string>& current);

// What fills the area under the search box.
enum class Body { clips, noTransfers, overview };
Body body(std::string_view query, const std::optional<std::string>& current);

std::string placeholder();
std::string noTransfersText();
std::string noClipsText();
std::string closeTitle();

struct Hit {
    std::string fileName;
    std::string detail;  // project · roll · date and time · size
    friend bool operator==(const Hit&, const Hit&) = default;
};
// dates: a mediumDateShortTime formatter in the current language, made once for all hits.
Hit hit(const ClipHit& hit, const ReportDates::Formatter& dates);

// One copy of a clip, as the model reports it.
struct Location {
    std::string name;
    std::string path;
    bool online = false;
};

struct LocationButton {
    std::string name;
    bool online = false;  // accent dot and reveals the file, else tertiary dot and does nothing
    std::string state;
    std::string toolTip;
    friend bool operator==(const LocationButton&, const LocationButton&) = default;
};
LocationButton locationButton(const Location& location);

}  // namespace quillane::HistorySheetLook
