#include <gtest/gtest.h>

#include "HistorySamples.h"
#include "Settings/ProjectCatalog.h"

using namespace quillane;
using namespace quillane::testing;
using Dest = TransferRecord::Destination;
using Strings = std::vector<std::string>;

namespace {

// A record finished `minute` minutes after 09:00 on 2026-03-05.
TransferRecord transfer(std::string project, std::string roll, std::string fingerprint, int minute,
                        std::vector<Dest> destinations, bool verified = true, std::optional<int> day = 1,
                        std::int64_t bytes = 100) {
    TransferRecord r("", "", std::nullopt, "", std::nullopt, "", 0, 0, at("2026-03-05T09:00:00Z"), {}, false);
    r.project = std::move(project);
    r.roll = std::move(roll);
    r.sourceName = "CARD " + r.roll;
    r.fingerprint = std::move(fingerprint);
    r.finishedAt = at("2026-03-05T09:00:00Z") + std::chrono::minutes(minute);
    r.destinations = std::move(destinations);
    r.verified = verified;
    r.shootDay = day;
    r.totalBytes = bytes;
    r.fileCount = static_cast<int>(bytes / 10);
    return r;
}

Dest ok(std::string name, std::optional<std::string> id = std::nullopt, std::optional<std::int64_t> capacity = {}) {
    return Dest(std::move(name), "/media/x", true, std::move(id), capacity);
}
Dest bad(std::string name, std::optional<std::string> id = std::nullopt) {
    return Dest(std::move(name), "/media/x", false, std::move(id));
}

}  // namespace

TEST(ProjectCatalog, EmptyAndForeignHistories) {
    for (const auto& history : {std::vector<TransferRecord>{},
                                std::vector<TransferRecord>{transfer("Other", "A001", "f", 0, {ok("SSD")})}}) {
        const ProjectCatalog catalog("Feature", history);
        EXPECT_TRUE(catalog.rolls.empty());
        EXPECT_TRUE(catalog.drives.empty());
        EXPECT_EQ(catalog.totalBytes(), 0);
        EXPECT_TRUE(catalog.unsafeRolls().empty());
        EXPECT_TRUE(catalog.days().empty());
    }
}

// History newest first, as the model holds it.
TEST(ProjectCatalog, RollsDrivesAndVerdicts) {
    std::vector<TransferRecord> history = {
        transfer("feature", "A009", "fpA", 50, {ok("Shuttle", "U3")}, /*verified=*/false, 2, 700),
        transfer("Feature", "B001", "fpB", 40, {bad("Shuttle", "U3")}, true, 2, 50),
        transfer("FEATURE", "A001", "fpA", 30, {ok("SSD Two", "U2", 2'000), bad("SSD ONE", "U1")}, true, 3, 999),
        transfer("Feature", "A001", "fpA", 10, {ok("SSD One", "U1"), bad("SSD Two", "U2")}, true, 1, 300),
        transfer("Other", "A001", "fpA", 20, {ok("Elsewhere", "U9")}),
    };
    const ProjectCatalog catalog("Feature", history);
    ASSERT_EQ(catalog.rolls.size(), 2u);

    // One card offloaded three times: the first offload's facts, the last offload's time,
    // the union of the drives with a copy; a later failure on a drive that holds a copy is no
    // failed drive; a copy made with verification off counts, marked as not read back.
    const auto& a = catalog.rolls[0];
    EXPECT_EQ(a.id, "fpA");
    EXPECT_EQ(a.roll, "A001");
    EXPECT_EQ(a.shootDay, 1);
    EXPECT_EQ(a.totalBytes, 300);
    EXPECT_EQ(a.lastTransfer, at("2026-03-05T09:50:00Z"));
    EXPECT_EQ(a.driveIDs, (Strings{"U1", "U2", "U3"}));
    EXPECT_TRUE(a.failedDriveIDs.empty());
    EXPECT_EQ(a.unverifiedDriveIDs, Strings{"U3"});
    EXPECT_FALSE(a.verified());
    EXPECT_EQ(a.drives, (Strings{"SSD ONE", "SSD Two", "Shuttle"}));  // the newest name of each volume
    EXPECT_TRUE(a.isSafe());

    // A drive that holds only a failed copy is named on the roll, not listed as a drive.
    const auto& b = catalog.rolls[1];
    EXPECT_EQ(b.copies(), 0);
    EXPECT_EQ(b.failedDrives, Strings{"Shuttle"});
    EXPECT_EQ(catalog.unsafeRolls(), std::vector<ProjectCatalog::Roll>{b});

    ASSERT_EQ(catalog.drives.size(), 3u);
    EXPECT_EQ(catalog.drives[0], (ProjectCatalog::Drive{"U1", "SSD ONE", "SSD ONE", 1, 300}));  // newest name
    EXPECT_EQ(catalog.drives[1], (ProjectCatalog::Drive{"U2", "SSD Two", "SSD Two", 1, 300}));
    EXPECT_EQ(catalog.drives[2], (ProjectCatalog::Drive{"U3", "Shuttle", "Shuttle", 1, 300}));
    EXPECT_EQ(catalog.totalBytes(), 350);

    EXPECT_EQ(ProjectCatalog::projects(history), (Strings{"feature", "Other"}));
}

TEST(ProjectCatalog, CardsWithoutFingerprintAndCopiesOnOneDrive) {
    const std::vector<TransferRecord> history = {
        transfer("P", "A001", "", 0, {ok("SSD", "U1")}),
        transfer("P", "A001", "", 1, {ok("SSD", "U1")}),  // same roll name: the same card
        transfer("P", "A002", "", 2, {ok("SSD", "U1"), ok("RAID", "U2")}),
        transfer("P", "A003", "fp3", 3, {bad("SSD", "U1")}),
        transfer("P", "A003", "fp3", 4, {ok("SSD", "U1")}),  // failed first, then succeeded
    };
    const ProjectCatalog catalog("P", history);
    ASSERT_EQ(catalog.rolls.size(), 3u);
    EXPECT_EQ(catalog.rolls[0].id, "roll:A001");
    EXPECT_EQ(catalog.rolls[0].copies(), 1);  // two verified transfers to one drive are one copy
    EXPECT_FALSE(catalog.rolls[0].isSafe());
    EXPECT_TRUE(catalog.rolls[1].isSafe());
    EXPECT_EQ(catalog.rolls[2].driveIDs, Strings{"U1"});
    EXPECT_TRUE(catalog.rolls[2].failedDriveIDs.empty());
    EXPECT_EQ(catalog.drives[0].rollCount, 3);
    EXPECT_EQ(catalog.unsafeRolls().size(), 2u);
}

TEST(ProjectCatalog, DrivesWithoutIdentityAndNamesThatClash) {
    // Destinations recorded without identity: matched by name to a drive seen with one,
    // otherwise "name:" + the lower-cased name, keeping the first capitalisation.
    const std::vector<TransferRecord> noIDs = {
        transfer("P", "A001", "f1", 0, {ok("Shuttle"), ok("backup")}),
        transfer("P", "A002", "f2", 1, {ok("SHUTTLE", "U7"), ok("Backup")}),
    };
    const ProjectCatalog named("P", noIDs);
    EXPECT_EQ(named.rolls[0].driveIDs, (Strings{"U7", "name:backup"}));
    EXPECT_EQ(named.rolls[1].driveIDs, (Strings{"U7", "name:backup"}));
    EXPECT_EQ(named.drives[1], (ProjectCatalog::Drive{"name:backup", "backup", "backup", 2, 200}));
    EXPECT_EQ(named.drives[0].name, "SHUTTLE");

    // Two drives named SSD: told apart by capacity when it differs, else by their identity.
    const std::vector<TransferRecord> sameName = {
        transfer("P", "A001", "f1", 0, {ok("SSD", "abcd-1", 2'000'000'000'000), ok("ssd", "WXYZ-2", 1'000'000'000'000)}),
    };
    EXPECT_EQ(ProjectCatalog("P", sameName).rolls[0].drives, (Strings{"SSD · 2 TB", "ssd · 1 TB"}));

    const std::vector<TransferRecord> equalCapacity = {
        transfer("P", "A001", "f1", 0, {ok("SSD", "abcd-1", 500), ok("SSD", "wxyz-2", 500), bad("SSD")}),
    };
    const ProjectCatalog clash("P", equalCapacity);
    // The nameless one matches the first SSD seen with an identity.
    EXPECT_EQ(clash.rolls[0].drives, (Strings{"SSD · ABCD", "SSD · WXYZ"}));

    const std::vector<TransferRecord> nameOnly = {
        transfer("P", "A001", "f1", 0, {ok("SSD", "ab"), ok("ssd ")}),
        transfer("Q", "A001", "f1", 0, {ok("SSD")}),
    };
    EXPECT_EQ(ProjectCatalog("P", nameOnly).rolls[0].drives, (Strings{"SSD", "ssd "}));
    EXPECT_EQ(ProjectCatalog("Q", nameOnly).rolls[0].drives, Strings{"SSD"});
}

TEST(ProjectCatalog, DaysAndProjectNames) {
    const std::vector<TransferRecord> history = {
        transfer("Feature", "A004", "f4", 4, {ok("SSD", "U")}, true, 2),
        transfer("Feature", "A003", "f3", 3, {ok("SSD", "U")}, true, 0),
        transfer("Feature", "A002", "f2", 2, {ok("SSD", "U")}, true, std::nullopt),
        transfer("Feature", "A001", "f1", 1, {ok("SSD", "U")}, true, 2),
        transfer("", "X", "fx", 0, {}),
    };
    const auto days = ProjectCatalog("feature", history).days();
    ASSERT_EQ(days.size(), 3u);
    EXPECT_EQ(days[0].day, std::nullopt);  // before day 0, as created
    EXPECT_EQ(days[1].day, 0);
    EXPECT_EQ(days[2].day, 2);
    ASSERT_EQ(days[2].rolls.size(), 2u);
    EXPECT_EQ(days[2].rolls[0].roll, "A001");

    EXPECT_EQ(ProjectCatalog::projects(history), (Strings{"Feature", ""}));
    EXPECT_TRUE(ProjectCatalog::projects({}).empty());
}

TEST(ProjectCatalog, CopiesMadeWithoutReadBackCountUntilAVerifiedOneReplacesThem) {
    struct Case {
        const char* name;
        std::vector<bool> verifiedInOrder;  // transfers of one card to drive U1, oldest first
        bool verified;
    };
    const std::vector<Case> cases = {
        {"unverified only", {false}, false},
        {"unverified twice", {false, false}, false},
        {"verified after unverified", {false, true}, true},
        {"unverified after verified", {true, false}, true},
    };
    for (const Case& c : cases) {
        std::vector<TransferRecord> history;
        for (std::size_t i = 0; i < c.verifiedInOrder.size(); ++i)
            history.insert(history.begin(),
                           transfer("P", "A001", "fp", static_cast<int>(i), {ok("SSD", "U1")}, c.verifiedInOrder[i]));
        const ProjectCatalog catalog("P", history);
        ASSERT_EQ(catalog.rolls.size(), 1u) << c.name;
        EXPECT_EQ(catalog.rolls[0].copies(), 1) << c.name;
        EXPECT_EQ(catalog.rolls[0].verified(), c.verified) << c.name;
        EXPECT_EQ(catalog.drives.size(), 1u) << c.name;
    }
}
