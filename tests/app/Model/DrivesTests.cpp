#include <gtest/gtest.h>

#include "support/Scopes.h"
#include "support/TempDir.h"
#include "support/app/ModelHarness.h"

namespace quillane {
namespace {

namespace fs = std::filesystem;
using testing::FakeVolume;
using testing::LanguageScope;
using testing::ModelHarness;
using testing::TempDir;
using testing::writeFile;

// A card with a Sony tree, and an empty SSD, as folders.
struct Rig {
    TempDir root{"quillane-volumes"};
    fs::path card = root / "A001_SONY";
    fs::path ssd = root / "SHOOT_SSD";
    Rig() {
        writeFile(card / "PRIVATE/M4ROOT/CLIP/C0001.MP4", "clip one");
        writeFile(card / "PRIVATE/M4ROOT/CLIP/C0002.MP4", "clip two!");
        fs::create_directories(ssd);
    }
    DriveInfo cardInfo() const { return FakeVolume::card(card, "A001_SONY", "CARD-UUID"); }
    // The same card behind hardware that tells nothing: only its contents make it a card.
    DriveInfo plainCardInfo() const {
        DriveInfo info = cardInfo();
        info.isRemovable = false;
        info.deviceVendor = info.deviceModel = info.deviceProtocol = std::nullopt;
        info.totalCapacity = 2'000'000'000'000;
        return info;
    }
    DriveInfo ssdInfo() const { return FakeVolume::ssd(ssd, "SHOOT_SSD", "SSD-UUID"); }
};

TEST(ModelDrives, ACardRecognisedByItsProbeIsSelectedWhenTheProbeArrives) {
    LanguageScope language;
    Rig rig;
    ModelHarness harness;
    AppModel& model = harness.make();
    model.start();
    harness.volumes->push({rig.plainCardInfo(), rig.ssdInfo()});
    ASSERT_EQ(model.drives().size(), 2u);
    EXPECT_TRUE(model.drives()[0].isAnalyzing());
    EXPECT_EQ(model.selectedSourceID(), std::nullopt) << "not a source before its probe";
    harness.drain();
    EXPECT_FALSE(model.drives()[0].isAnalyzing());
    ASSERT_EQ(model.sources().size(), 1u);
    EXPECT_EQ(model.selectedSourceID(), std::optional<std::string>("CARD-UUID"));
    EXPECT_EQ(model.scanState(), ScanState::ready());
    ASSERT_TRUE(model.scan().has_value());
    EXPECT_EQ(model.scan()->fileCount(), 2);
}

}  // namespace
}  // namespace quillane
