#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>

#include "Detection/CameraSignatures.h"
#include "Detection/DriveClassifier.h"
#include "Model/DemoDrives.h"
#include "Support/Lang.h"
#include "Transfer/SourceScanner.h"
#include "support/Scopes.h"

using namespace quillane;
using Clock = std::chrono::system_clock;

namespace {

const DriveInfo& byId(const std::vector<DriveInfo>& drives, const std::string& id) {
    for (const DriveInfo& d : drives)
        if (d.id == id) return d;
    throw std::runtime_error("no demo drive " + id);
}

Clock::time_point localMidnightOf(Clock::time_point t) {
    const std::time_t seconds = Clock::to_time_t(t);
    std::tm local{};
    ::localtime_r(&seconds, &local);
    local.tm_hour = local.tm_min = local.tm_sec = 0;
    local.tm_isdst = -1;
    return Clock::from_time_t(std::mktime(&local));
}

}  // namespace

TEST(DemoDrives, UsedSpaceAndEjectedCardsChangeTheList) {
    const auto all = DemoDrives::infos({}, {});
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(all[0].url, DemoDrives::root() / "FX6_CARD");
    EXPECT_EQ(all[0].identity(), "name:fx6_card|160000000000");  // cards carry no UUID
    EXPECT_FALSE(all[4].isRemovable);
    EXPECT_TRUE(all[4].isEjectable);

    const auto used = DemoDrives::infos({{"demo-ssd-1", 3'000'000'000'000}, {"demo-ssd-2", 140'000'000'000}},
                                        {"demo-arri", "no-such-drive"});
    ASSERT_EQ(used.size(), 4u);
    EXPECT_EQ(used[1].id, "demo-zoom");
    EXPECT_EQ(byId(used, "demo-ssd-1").availableCapacity, 0);
    EXPECT_EQ(byId(used, "demo-ssd-2").availableCapacity, 3'000'000'000'000);
    EXPECT_EQ(DemoDrives::infos({}, {"no-such-drive"}), all);
}

TEST(DemoDrives, ProbesAreRecognisedAndTheDrivesClassifiedAsTheirKind) {
    quillane::testing::LanguageScope language{AppLanguage::en};
    const auto all = DemoDrives::infos({}, {});
    const struct {
        const char* id;
        const char* label;
        DriveRole role;
    } expected[] = {{"demo-fx6", "Sony \u00B7 XAVC", DriveRole::source},
                    {"demo-arri", "ARRI \u00B7 ARRIRAW / MXF", DriveRole::source},
                    {"demo-zoom", "Sound recorder \u00B7 WAV", DriveRole::source},
                    {"demo-ssd-1", "", DriveRole::destination},
                    {"demo-ssd-2", "", DriveRole::destination}};
    for (const auto& e : expected) {
        SCOPED_TRACE(e.id);
        const DriveInfo& drive = byId(all, e.id);
        const ContentProbe probe = DemoDrives::probe(drive);
        const auto match = CameraSignatures::detect(probe);
        EXPECT_EQ(match ? match->label() : "", e.label);
        EXPECT_EQ(DriveClassifier::classify(drive, &probe, {}).role, e.role);
    }
    EXPECT_EQ(CameraSignatures::ownReelFolder(DemoDrives::probe(all[1])), "A002R1AB");
    EXPECT_EQ(CameraSignatures::reelName("ARRI_CARD", nullptr), std::nullopt);
    DriveInfo stranger;
    stranger.id = "elsewhere";
    EXPECT_EQ(DemoDrives::probe(stranger), ContentProbe{});
}

TEST(DemoDrives, SonyCardScanInBothModes) {
    const auto root = DemoDrives::root() / "FX6_CARD";
    const SourceScan video = DemoDrives::scan(root, "demo-fx6", CopyMode::videoOnly);
    ASSERT_EQ(video.fileCount(), 46);
    EXPECT_EQ(video.videoFileCount, 46);
    EXPECT_EQ(video.directories, (std::vector<std::string>{"PRIVATE", "PRIVATE/M4ROOT", "PRIVATE/M4ROOT/CLIP"}));
    EXPECT_EQ(video.root, root);
    EXPECT_EQ(video.mode, CopyMode::videoOnly);

    const SourceScan card = DemoDrives::scan(root, "demo-fx6", CopyMode::entireCard);
    ASSERT_EQ(card.fileCount(), 139);
    EXPECT_EQ(card.videoFileCount, 46);
    EXPECT_GT(card.totalBytes, video.totalBytes);
    ASSERT_EQ(card.topLevel.size(), 1u);
    EXPECT_EQ(card.topLevel[0], (TopLevelEntry{"PRIVATE", true, card.totalBytes, 139}));
    EXPECT_EQ(card.fingerprint, SourceScanner::fingerprint(card.files));
    EXPECT_NE(card.fingerprint, video.fingerprint);

    // Clip i is dated 180 s × i after 09:00 today; sidecars share its time; the media list is at 09:00.
    const ScannedFile& first = card.files[0];
    const ScannedFile& sidecar = card.files[1];
    const ScannedFile& thumbnail = card.files[2];
    const ScannedFile& mediaPro = card.files.back();
    EXPECT_EQ(sidecar.relativePath, "PRIVATE/M4ROOT/CLIP/C0001M01.XML");
    EXPECT_EQ(thumbnail.relativePath, "PRIVATE/M4ROOT/THMBNL/C0001T01.JPG");
    EXPECT_EQ(mediaPro.relativePath, "PRIVATE/M4ROOT/MEDIAPRO.XML");
    EXPECT_EQ(sidecar.modificationDate, first.modificationDate);
    EXPECT_EQ(thumbnail.modificationDate, first.modificationDate);
    EXPECT_FALSE(first.creationDate.has_value());
    ASSERT_TRUE(mediaPro.modificationDate.has_value());
    EXPECT_EQ(*first.modificationDate - *mediaPro.modificationDate, std::chrono::seconds(180));
    EXPECT_EQ(*mediaPro.modificationDate - localMidnightOf(Clock::now()), std::chrono::seconds(32'400));

    // Nothing was made on disk.
    EXPECT_FALSE(std::filesystem::exists(DemoDrives::root()));
}

TEST(DemoDrives, ArriAndZoomScansAndEmptyOnes) {
    const SourceScan zoom = DemoDrives::scan(DemoDrives::root() / "ZOOM_F8", "demo-zoom", CopyMode::videoOnly);
    ASSERT_EQ(zoom.fileCount(), 36);
    EXPECT_EQ(zoom.videoFileCount, 36);
    ASSERT_EQ(zoom.topLevel.size(), 1u);
    EXPECT_EQ(zoom.topLevel[0], (TopLevelEntry{"F8n_TAKES", true, zoom.totalBytes, 36}));
    EXPECT_EQ(*zoom.files[1].modificationDate - *zoom.files[0].modificationDate, std::chrono::seconds(240));

    const SourceScan arri = DemoDrives::scan(DemoDrives::root() / "ARRI_CARD/A002R1AB", "demo-arri", CopyMode::entireCard);
    ASSERT_EQ(arri.fileCount(), 28);
    EXPECT_TRUE(arri.directories.empty());
    ASSERT_EQ(arri.topLevel.size(), 28u);
    EXPECT_EQ(arri.topLevel[0], (TopLevelEntry{"A002C001_261009_R1AB.mxf", false, arri.files[0].size, 1}));
    EXPECT_TRUE(std::is_sorted(arri.topLevel.begin(), arri.topLevel.end(),
                               [](const auto& a, const auto& b) { return a.name < b.name; }));

    for (const char* id : {"demo-ssd-1", "unknown"}) {
        const SourceScan none = DemoDrives::scan(DemoDrives::root(), id, CopyMode::entireCard);
        EXPECT_TRUE(none.files.empty());
        EXPECT_TRUE(none.directories.empty());
        EXPECT_TRUE(none.topLevel.empty());
        EXPECT_EQ(none.totalBytes, 0);
        EXPECT_EQ(none.fingerprint, SourceScanner::fingerprint({}));
    }
}
