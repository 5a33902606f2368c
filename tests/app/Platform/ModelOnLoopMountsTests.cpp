#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>

#include "Platform/MonitorVolumeSource.h"
#include "support/LoopVolume.h"
#include "support/Scopes.h"
#include "support/TempDir.h"
#include "support/app/ModelHarness.h"

namespace quillane {
namespace {

namespace fs = std::filesystem;
using testing::LoopVolume;

bool listed(const AppModel& model, const std::string& id) {
    return std::any_of(model.drives().begin(), model.drives().end(),
                       [&](const DriveState& drive) { return drive.info.id == id; });
}

// The machine's own volume monitor feeding the model: real mounts, real events, real probes and scans.
TEST(ModelOnLoopMounts, AnExfatCardAppearsAsTheSelectedSourceAndGoesWhenUnmounted) {
    if (::geteuid() != 0) GTEST_SKIP() << "loop devices need root";
    for (const auto kind : {LoopVolume::Kind::ext4, LoopVolume::Kind::exfat})
        if (auto why = LoopVolume::unavailable(kind)) GTEST_SKIP() << *why;
    testing::LanguageScope language(AppLanguage::en);
    testing::TempDir dir("quillane-volumes");  // destroyed last, after every mount inside it is gone
    const fs::path volumes = dir / "volumes";
    fs::create_directories(volumes);
    LoopVolume ssd(dir / "ssd.img", volumes / "SHOOT_SSD", {LoopVolume::Kind::ext4, "SHOOT_SSD", "", 160ull << 20});
    LoopVolume card(dir / "card.img", volumes / "A001_CARD", {LoopVolume::Kind::exfat, "A001_CARD", "1234ABCD"});
    testing::writeFile(card.mountPoint() / "PRIVATE/M4ROOT/CLIP/C0001.MP4", std::string(1 << 20, 'v'));
    testing::writeFile(card.mountPoint() / "PRIVATE/M4ROOT/MEDIAPRO.XML", "<xml/>");
    card.unmount();

    testing::ModelHarness harness;
    VolumeMonitor::Options options;
    options.sources.places.folders = {volumes};
    ModelServices services = harness.services();
    services.volumes = std::make_shared<MonitorVolumeSource>(options);
    AppModel model(harness.store.path(), services);
    model.setProject("Alpha");
    model.start();
    ASSERT_TRUE(harness.waitUntil([&] { return model.destinations().size() == 1; }));
    EXPECT_EQ(model.blockReason(), "Connect a card");

    card.mount();
    ASSERT_TRUE(harness.waitUntil([&] { return model.scanState().is(ScanState::Kind::ready); }));
    EXPECT_EQ(model.selectedSourceID(), "1234-ABCD");
    ASSERT_NE(model.selectedSource(), nullptr);
    EXPECT_EQ(model.selectedSource()->info.name, "A001_CARD");
    ASSERT_TRUE(model.scan().has_value());
    EXPECT_EQ(model.scan()->files.size(), 2u);
    EXPECT_EQ(model.rollName(), "A001");
    ASSERT_EQ(model.plans().size(), 1u);
    EXPECT_EQ(model.plans()[0].rollURL, volumes / "SHOOT_SSD/Alpha/FOOTAGE/A001");
    EXPECT_EQ(model.blockReason(), std::nullopt);

    card.unmount();
    ASSERT_TRUE(harness.waitUntil([&] { return !listed(model, "1234-ABCD"); }));
    EXPECT_EQ(model.selectedSource(), nullptr);
    EXPECT_EQ(model.blockReason(), "Connect a card");
    EXPECT_EQ(model.destinations().size(), 1u);
}

}  // namespace
}  // namespace quillane
