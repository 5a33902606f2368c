#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "Support/Lang.h"
#include "support/FaultyFileIO.h"
#include "support/LoopVolume.h"

namespace quillane {
namespace {

using namespace enginetest;
using testing::FaultyFileIO;
using testing::LoopVolume;
using testing::TempDir;
using testing::readFile;
using testing::writeFile;

// A card on exFAT (through FUSE: no direct reads, no exclusive rename, no hard links) copied to
// an ext4 drive and an exFAT drive.
TEST(EngineOnRealVolumes, CopiesFromAnExFATCardToExt4AndExFATDrives) {
    for (auto kind : {LoopVolume::Kind::ext4, LoopVolume::Kind::exfat})
        if (auto reason = LoopVolume::unavailable(kind)) GTEST_SKIP() << *reason;
    Lang::current = AppLanguage::en;
    TempDir work("quillane-volumes");
    auto options = [](LoopVolume::Kind kind, const char* label) {
        LoopVolume::Options s;
        s.kind = kind;
        s.label = label;
        return s;
    };
    LoopVolume card(work / "card.img", work / "card", options(LoopVolume::Kind::exfat, "A_CARD"));
    LoopVolume ssd(work / "ssd.img", work / "ssd", options(LoopVolume::Kind::ext4, "SSD"));
    LoopVolume fat(work / "fat.img", work / "fat", options(LoopVolume::Kind::exfat, "FAT"));

    writeFile(card.mountPoint() / "DCIM/100CANON/MVI_0001.MP4", bytes(TransferEngine::chunkSize + 4321, 1));
    writeFile(card.mountPoint() / "DCIM/100CANON/MVI_0002.MP4", bytes(70'000, 2));
    writeFile(card.mountPoint() / "MISC/a.xml", "<a/>");
    const fs::path clip = "DCIM/100CANON/MVI_0001.MP4";
    setModificationTime(card.mountPoint() / clip, 1'700'000'000, 0);  // an even second, as exFAT keeps them
    ASSERT_EQ(modificationTime(card.mountPoint() / clip).tv_sec, 1'700'000'000);
    TransferJob job = makeJob(card.mountPoint(), {ssd.mountPoint() / "A001", fat.mountPoint() / "A001"});

    // Someone else's file appears on the exFAT drive just before a rename.
    FaultyFileIO io;
    io.fail({.call = FaultyFileIO::Call::renameNoReplace,
             .pathContains = (fat.mountPoint() / "A001/MISC/a.xml").string(),
             .error = 0,
             .before = [&] { writeFile(fat.mountPoint() / "A001/MISC/a.xml", "theirs"); }});
    const TransferResult result = TransferEngine(job).run();

    EXPECT_TRUE(result.destinations[0].succeeded()) << result.destinations[0].error.value_or("");
    EXPECT_EQ(result.destinations[0].verifiedFiles, 3);
    EXPECT_EQ(result.destinations[1].error, "Already exists, not overwritten: a.xml");
    EXPECT_EQ(readFile(fat.mountPoint() / "A001/MISC/a.xml"), "theirs");
    EXPECT_TRUE(partialsUnder(fat.mountPoint()).empty());
    for (const auto& f : job.files) {
        EXPECT_EQ(readFile(ssd.mountPoint() / "A001" / f.relativePath), readFile(card.mountPoint() / f.relativePath));
        if (f.relativePath != "MISC/a.xml") {
            EXPECT_EQ(readFile(fat.mountPoint() / "A001" / f.relativePath),
                      readFile(card.mountPoint() / f.relativePath));
        }
    }
    // Copies on both drives carry the card's modification time, also through exfat-fuse.
    EXPECT_EQ(modificationTime(ssd.mountPoint() / "A001" / clip).tv_sec, 1'700'000'000);
    EXPECT_EQ(modificationTime(fat.mountPoint() / "A001" / clip).tv_sec, 1'700'000'000);
}

}  // namespace
}  // namespace quillane
