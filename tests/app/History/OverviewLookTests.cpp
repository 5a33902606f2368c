#include <gtest/gtest.h>

#include "Detection/ByteFormat.h"
#include "HistoryFixtures.h"
#include "support/Scopes.h"
#include "Settings/JSONStore.h"
#include "support/TempDir.h"
#include "Transfer/TransferResult.h"
#include "Views/History/ProjectOverviewLook.h"
#include "Views/Kit/CopiesBadge.h"

using namespace quillane;
using namespace quillane::testing;
namespace Look = quillane::ProjectOverviewLook;
using Strings = std::vector<std::string>;

namespace {

// safe cards on two drives, then unsafe ones: the first unsafe card on one drive, the rest on none.
std::vector<TransferRecord> project(int safe, int unsafe) {
    std::vector<TransferRecord> history;
    for (int i = 0; i < safe; ++i) history.push_back(offload("Feature", "A00" + std::to_string(i + 1), {"SSD1", "SSD2"}, 1, i));
    for (int i = 0; i < unsafe; ++i)
        history.push_back(offload("Feature", "B00" + std::to_string(i + 1), i == 0 ? Strings{"SSD1"} : Strings{"!SSD2"}, 1,
                                  10 + i));
    return history;
}

}  // namespace

TEST(ProjectOverviewLook, BannerByNumberOfUnsafeCards) {
    struct Case {
        AppLanguage language;
        int unsafe;
        bool safe;
        std::string headline;
        Strings advice;
    };
    const std::string onOne = "B001 is only on SSD1: offload the card once more to a second drive";
    const std::string onNone = " is on no drive: offload the card again";
    const std::string nlOne = "B001 staat alleen op SSD1: zet de kaart nog een keer over naar een tweede schijf";
    const std::string nlNone = " staat op geen enkele schijf: zet de kaart opnieuw over";
    const Case cases[] = {
        {AppLanguage::en, 0, true, "Every card is backed up twice", {}},
        {AppLanguage::en, 1, false, "1 card is not backed up twice yet", {onOne}},
        {AppLanguage::en, 3, false, "3 cards are not backed up twice yet", {onOne, "B002" + onNone, "B003" + onNone}},
        {AppLanguage::nl, 3, false, "3 kaarten staan nog niet dubbel", {nlOne, "B002" + nlNone, "B003" + nlNone}},
        {AppLanguage::en, 4, false, "4 cards are not backed up twice yet", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.headline);
        LanguageScope language(c.language);
        const auto banner = Look::banner(ProjectCatalog("feature", project(2, c.unsafe)));
        EXPECT_EQ(banner.safe, c.safe);
        EXPECT_EQ(banner.symbol, c.safe ? "checkmark.seal.fill" : "exclamationmark.triangle.fill");
        EXPECT_EQ(banner.headline, c.headline);
        EXPECT_EQ(banner.advice, c.advice);
    }
}

TEST(ProjectOverviewLook, SummaryAndDriveCounts) {
    struct Case {
        AppLanguage language;
        std::vector<TransferRecord> history;
        std::string summary;
        std::string drivesTrailing;
    };
    const Case cases[] = {
        {AppLanguage::en, {offload("P", "A001", {"!SSD1"})}, "1 card · 2 GB · 0 drives", "0"},
        {AppLanguage::en, {offload("P", "A001", {"SSD1"})}, "1 card · 2 GB · 1 drive", "1"},
        {AppLanguage::en, project(2, 0), "2 cards · 4 GB · 2 drives", "2"},
        {AppLanguage::nl, project(2, 0), "2 kaarten · 4 GB · 2 schijven", "2"},
        {AppLanguage::nl, {offload("P", "A001", {"SSD1"})}, "1 kaart · 2 GB · 1 schijf", "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.summary);
        LanguageScope language(c.language);
        const ProjectCatalog catalog(c.history.front().project, c.history);
        EXPECT_EQ(Look::banner(catalog).summary, c.summary);
        EXPECT_EQ(Look::drivesTitle(catalog),
                  (Look::SectionTitle{c.language == AppLanguage::en ? "Drives" : "Schijven", c.drivesTrailing}));
    }
}

TEST(ProjectOverviewLook, CardsFirstThenEachShootDay) {
    const std::vector<TransferRecord> history = {
        offload("P", "A004", {"SSD1"}, 2, 4), offload("P", "A003", {"SSD1"}, std::nullopt, 3),
        offload("P", "A002", {"SSD1"}, 1, 2), offload("P", "A001", {"SSD1"}, 2, 1),
    };
    const auto days = ProjectCatalog("P", history).days();
    ASSERT_EQ(days.size(), 3u);
    LanguageScope english(AppLanguage::en);
    EXPECT_EQ(Look::dayTitle(days[0]), (Look::SectionTitle{"Cards", "1"}));
    EXPECT_EQ(Look::dayTitle(days[1]), (Look::SectionTitle{"Shoot day 1", "1"}));
    EXPECT_EQ(Look::dayTitle(days[2]), (Look::SectionTitle{"Shoot day 2", "2"}));
}

TEST(ProjectOverviewLook, CopiesBadge) {
    using Tint = CopiesBadgeLook::Tint;
    struct Case {
        int copies;
        CopiesBadgeLook look;
        bool verified = true;
    };
    const Case cases[] = {
        {0, {Tint::danger, "xmark", "Failed"}},   {1, {Tint::warning, "exclamationmark", "1 copy"}},
        {2, {Tint::accent, "checkmark", "Double"}}, {3, {Tint::accent, "checkmark", "3× backup"}},
        {12, {Tint::accent, "checkmark", "12× backup"}},
        {2, {Tint::accent, "checkmark", "Double · not verified"}, false},
        {0, {Tint::danger, "xmark", "Failed"}, false},
    };
    LanguageScope en(AppLanguage::en);
    for (const auto& c : cases) EXPECT_EQ(copiesBadgeLook(c.copies, c.verified), c.look) << c.copies;
}

TEST(ProjectOverviewLook, RollRowsAndDriveTiles) {
    TimeZoneScope zone("Europe/Amsterdam");
    TransferRecord filmed = offload("P", "A001", {"SSD1", "SSD2", "RAID", "!Shuttle"}, 1, 5, 1'500'000'000);
    filmed.cameraLabel = "ARRI ALEXA 35";
    const ProjectCatalog catalog("P", {filmed, offload("P", "A002", {"!SSD1"}, 1, 7)});
    const std::string size = ByteFormat::string(1'500'000'000);  // the desktop's decimal sign
    struct Case {
        AppLanguage language;
        Look::RollRow filmed, failed;
        Look::DriveTile online, offline;
    };
    const Case cases[] = {
        {AppLanguage::en,
         {"A001", "CARD_A001", "ARRI ALEXA 35 · " + size + " · 10:05",
          {{"SSD1", false, "Verified copy on SSD1"}, {"SSD2", false, "Verified copy on SSD2"},
           {"RAID", false, "Verified copy on RAID"}, {"Shuttle", true, "Copy to Shuttle failed"}},
          3},
         {"A002", "CARD_A002", "2 GB · 10:07", {{"SSD1", true, "Copy to SSD1 failed"}}, 0},
         {"SSD1", true, "Connected", "1 card · " + size},
         {"SSD2", false, "Not connected", "1 card · " + size}},
    };
    for (const auto& c : cases) {
        LanguageScope language(c.language);
        const ReportDates::Formatter times(ReportDates::Formatter::Style::shortTime, c.language);
        EXPECT_EQ(Look::rollRow(catalog.rolls[0], times), c.filmed);
        EXPECT_EQ(Look::rollRow(catalog.rolls[1], times), c.failed);
        EXPECT_EQ(Look::driveTile(catalog.drives[0], true), c.online);
        EXPECT_EQ(Look::driveTile(catalog.drives[1], false), c.offline);
    }
}

// A card that became unreadable mid-transfer leaves complete-looking destinations in the
// engine's result; saved and read back through the history store, none of them is a copy.
TEST(ProjectOverviewLook, SourceFailureIsNoCopyThroughTheStores) {
    LanguageScope language(AppLanguage::en);
    TransferResult result;
    result.startedAt = morning(0);
    result.finishedAt = morning(3);
    result.fileCount = 4;
    result.totalBytes = 8'000'000;
    result.verified = true;
    result.sourceError = "The card could not be read";
    for (const char* name : {"SSD1", "SSD2"}) {
        DestinationResult destination;
        destination.name = name;
        destination.rollURL = std::string("/media/") + name + "/P/A001";
        result.destinations.push_back(destination);
    }
    TempDir store;
    const JSONStore<std::vector<TransferRecord>> historyStore("history.json", store.path());
    historyStore.save({TransferRecord("P", "A001", 1, "CARD_A001", std::nullopt, "fp", result)});
    const auto history = historyStore.load();
    ASSERT_TRUE(history);

    const ProjectCatalog catalog("P", *history);
    EXPECT_TRUE(catalog.drives.empty());
    const auto banner = Look::banner(catalog);
    EXPECT_FALSE(banner.safe);
    EXPECT_EQ(banner.advice, Strings{"A001 is on no drive: offload the card again"});
    EXPECT_EQ(banner.summary, "1 card · 8 MB · 0 drives");
    const auto row = Look::rollRow(catalog.rolls.at(0), ReportDates::Formatter(ReportDates::Formatter::Style::shortTime, AppLanguage::en));
    EXPECT_EQ(row.copies, 0);
    EXPECT_EQ(copiesBadgeLook(row.copies).text, "Failed");
    EXPECT_EQ(row.chips, (std::vector<DriveChipLook>{{"SSD1", true, "Copy to SSD1 failed"},
                                                     {"SSD2", true, "Copy to SSD2 failed"}}));
}
