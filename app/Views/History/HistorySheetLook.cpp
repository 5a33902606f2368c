#include "Views/History/HistorySheetLook.h"

#include "Detection/ByteFormat.h"
#include "Support/Lang.h"
#include "Support/Text.h"
#include "Transfer/ReportDates.h"

namespace quillane::HistorySheetLook {

std::optional<std::string> currentProject(const std::vector<std::string>& projects,
                                          const std::optional<std::string>& picked, std::string_view projectName) {
    if (picked) return picked;
    for (const auto& project : projects)
        if (Text::caseInsensitiveEqual(project, projectName)) return project;
    if (!projects.empty()) return projects.front();
    return std::nullopt;
}

Header header(const std::vector<std::string>& projects, const std::optional<std::string>& current) {
    if (!current) return {Header::Kind::overview, L("Overzicht", "Overview")};
    return {projects.size() > 1 ? Header::Kind::menu : Header::Kind::single, *current};
}

Body body(std::string_view query, const std::optional<std::string>& current) {
    if (ClipCatalog::isSearchable(query)) return Body::clips;
    return current ? Body::overview : Body::noTransfers;
}

std::string placeholder() { return L("Zoek een clip, bijvoorbeeld C0042", "Find a clip, for example C0042"); }
std::string noTransfersText() { return L("Nog geen transfers.", "No transfers yet."); }
std::string noClipsText() { return L("Geen clips gevonden.", "No clips found."); }
std::string closeTitle() { return L("Sluiten", "Close"); }

Hit hit(const ClipHit& hit, const ReportDates::Formatter& dates) {
    const std::string dot = " \u00B7 ";
    return {hit.fileName(), hit.record.project + dot + hit.record.roll + dot +
                                dates(hit.record.finishedAt) + dot +
                                ByteFormat::string(hit.file.size)};
}

LocationButton locationButton(const Location& location) {
    if (location.online)
        return {location.name, true, L("aangesloten", "connected"),
                L("Toon in bestandsbeheerder", "Show in file manager")};
    return {location.name, false, L("niet aangesloten", "not connected"),
            L("Sluit ", "Connect ") + location.name + L(" aan om de clip te openen", " to open the clip")};
}

}  // namespace quillane::HistorySheetLook
