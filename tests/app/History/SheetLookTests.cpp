#include <gtest/gtest.h>

#include "Detection/ByteFormat.h"
#include "HistoryFixtures.h"
#include "support/Scopes.h"
#include "Views/History/HistorySheetLook.h"

using namespace quillane;
using namespace quillane::testing;
namespace Look = quillane::HistorySheetLook;
using Strings = std::vector<std::string>;
using Project = std::optional<std::string>;

TEST(HistorySheetLook, CurrentProjectAndHeader) {
    using Kind = Look::Header::Kind;
    struct Case {
        Strings projects;
        Project picked;
        std::string projectName;
        Project current;
        Kind kind;
    };
    const Case cases[] = {
        {{}, std::nullopt, "Feature", std::nullopt, Kind::overview},
        {{"Feature"}, std::nullopt, "", "Feature", Kind::single},
        {{"Commercial", "Feature"}, std::nullopt, "FEATURE", "Feature", Kind::menu},  // the history's spelling
        {{"Commercial", "Feature"}, std::nullopt, "Documentary", "Commercial", Kind::menu},
        {{"Commercial", "Feature"}, "Feature", "Commercial", "Feature", Kind::menu},  // picked wins
    };
    LanguageScope english(AppLanguage::en);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.projectName);
        const Project current = Look::currentProject(c.projects, c.picked, c.projectName);
        EXPECT_EQ(current, c.current);
        EXPECT_EQ(Look::header(c.projects, current), (Look::Header{c.kind, current.value_or("Overview")}));
    }
}

TEST(HistorySheetLook, SearchStartsAtTwoCharacters) {
    using Body = Look::Body;
    struct Case {
        std::string query;
        Body withProject, withoutProject;
    };
    const Case cases[] = {
        {"", Body::overview, Body::noTransfers},
        {"a", Body::overview, Body::noTransfers},
        {" a", Body::overview, Body::noTransfers},
        {"  a\t", Body::overview, Body::noTransfers},
        {"é", Body::overview, Body::noTransfers},  // one character of two bytes
        {"ab", Body::clips, Body::clips},
        {" ab ", Body::clips, Body::clips},
        {"a b", Body::clips, Body::clips},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query);
        EXPECT_EQ(Look::body(c.query, "Feature"), c.withProject);
        EXPECT_EQ(Look::body(c.query, std::nullopt), c.withoutProject);
    }
}

TEST(HistorySheetLook, HitCardsAndLocationButtons) {
    TimeZoneScope zone("Europe/Amsterdam");
    const ClipHit found{offload("Feature", "A003", {"SSD1"}, 1, 5), CatalogFile{"A003/CLIPS/A003C0042.MOV", 42'000'000, {}}};
    struct Case {
        AppLanguage language;
        std::string detail;
        Look::LocationButton online, offline;
    };
    const Case cases[] = {
        {AppLanguage::en, "Feature · A003 · 5 Mar 2026, 10:05 · 42 MB",
         {"SSD1", true, "connected", "Show in file manager"},
         {"SSD2", false, "not connected", "Connect SSD2 to open the clip"}},
        {AppLanguage::nl, "Feature · A003 · 5 mrt 2026 10:05 · 42 MB",
         {"SSD1", true, "aangesloten", "Toon in bestandsbeheerder"},
         {"SSD2", false, "niet aangesloten", "Sluit SSD2 aan om de clip te openen"}},
    };
    for (const auto& c : cases) {
        LanguageScope language(c.language);
        const ReportDates::Formatter dates(ReportDates::Formatter::Style::mediumDateShortTime, c.language);
        EXPECT_EQ(Look::hit(found, dates).fileName, "A003C0042.MOV");
        EXPECT_EQ(Look::hit(found, dates).detail, c.detail);
        EXPECT_EQ(Look::locationButton({"SSD1", "/media/SSD1/x", true}), c.online);
        EXPECT_EQ(Look::locationButton({"SSD2", "/media/SSD2/x", false}), c.offline);
    }
}
