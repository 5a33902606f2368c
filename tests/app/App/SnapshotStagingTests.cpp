#include <gtest/gtest.h>

#include <QDateTime>

#include "App/SnapshotStaging.h"
#include "support/Scopes.h"

using namespace quillane;

TEST(SnapshotStaging, DemoDriveDressesThreeVolumesAndHidesTheRest) {
    DriveInfo card;
    card.id = "1234-ABCD";
    card.url = "/media/FX3_A";
    card.name = "FX3_A";
    card.uuid = "1234-ABCD";
    card.fileSystem = "vfat";
    card.isInternal = true;
    const auto dressed = Snapshot::demoDrive(card);
    ASSERT_TRUE(dressed);
    EXPECT_EQ(dressed->id, card.id);
    EXPECT_EQ(dressed->name, "FX3_A");
    EXPECT_EQ(dressed->url, card.url);
    EXPECT_EQ(dressed->hardwareDescription(), "Apple Built In SDXC Reader · Secure Digital");
    EXPECT_EQ(dressed->totalCapacity, 256'000'000'000);
    EXPECT_EQ(dressed->fileSystemLabel(), "exFAT");
    EXPECT_TRUE(dressed->isRemovable && dressed->isEjectable && !dressed->isInternal);

    DriveInfo backup = card;
    backup.name = "BACKUP_01";
    backup.isRemovable = false;
    const auto ssd = Snapshot::demoDrive(backup);
    ASSERT_TRUE(ssd);
    EXPECT_EQ(ssd->availableCapacity, 1'387'000'000'000);
    EXPECT_EQ(ssd->fileSystem, "apfs");
    EXPECT_FALSE(ssd->isRemovable);  // kept as the volume reports it

    for (const char* hidden : {"SHOOT_SSD", "fx3_a", "SHOOT_01 ", ""}) {
        DriveInfo other = card;
        other.name = hidden;
        EXPECT_FALSE(Snapshot::demoDrive(other)) << hidden;
    }
}

TEST(SnapshotStaging, DemoHistoryOnAFixedDay) {
    quillane::testing::TimeZoneScope zone("Europe/Amsterdam");
    quillane::testing::LanguageScope language(AppLanguage::en);
    const QDate today(2026, 12, 7);
    const auto records = Snapshot::demoHistory("Feature", today);
    ASSERT_EQ(records.size(), 7u);
    const char* rolls[] = {"A001", "B001", "A002", "S001", "A003", "A005", "S002"};
    const char* clock[] = {"2026-12-06 10:12", "2026-12-06 11:30", "2026-12-06 14:06", "2026-12-06 18:36",
                           "2026-12-07 09:24", "2026-12-07 13:42", "2026-12-07 14:12"};
    for (std::size_t i = 0; i < records.size(); ++i) {
        const TransferRecord& r = records[i];
        EXPECT_EQ(r.roll, rolls[i]);
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(r.finishedAt.time_since_epoch());
        EXPECT_EQ(QDateTime::fromSecsSinceEpoch(seconds.count()).toString("yyyy-MM-dd HH:mm"), clock[i]) << rolls[i];
        EXPECT_EQ(r.finishedAt - r.startedAt, std::chrono::seconds(600));
        EXPECT_EQ(r.project, "Feature");
        EXPECT_EQ(r.fileCount, 40);
        EXPECT_TRUE(r.verified && r.succeeded);
        EXPECT_EQ(r.fingerprint, std::string("demo-") + rolls[i]);
        EXPECT_EQ(*r.shootDay, i < 4 ? 1 : 2);
    }
    EXPECT_EQ(records[3].cameraLabel, "Sound recorder · WAV");
    EXPECT_EQ(records[6].destinations.size(), 1u);
    EXPECT_EQ(records[6].destinations[0].name, "SPARE_1TB");
    const auto again = Snapshot::demoHistory("Feature", today);
    EXPECT_NE(again[0].id, records[0].id);
    EXPECT_EQ(again[0].finishedAt, records[0].finishedAt);
}
