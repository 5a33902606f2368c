#include "ModelRig.h"

namespace quillane::testing {

ModelRig::ModelRig() {
    writeFile(card / "PRIVATE/M4ROOT/CLIP/C0001.MP4", std::string(300'000, 'a'));
    writeFile(card / "PRIVATE/M4ROOT/CLIP/C0002.MP4", std::string(200'000, 'b'));
    writeFile(card / "PRIVATE/M4ROOT/MEDIAPRO.XML", "<xml/>");
    std::filesystem::create_directories(ssdA);
    std::filesystem::create_directories(ssdB);
    AppModel& model = harness.make();
    model.changeSettings([](AppSettings& settings) { settings.askBeforeCreatingFolders = false; });
    model.setProject("Alpha");
    model.start();
}

DriveInfo ModelRig::cardInfo(const std::filesystem::path& folder, const std::string& name, const std::string& uuid) {
    return FakeVolume::card(folder, name, uuid);
}

std::vector<DriveInfo> ModelRig::all() const {
    return {cardInfo(card, "A001_SONY", "CARD-1"), FakeVolume::ssd(ssdA, "SSD_A", "SSD-A"),
            FakeVolume::ssd(ssdB, "SSD_B", "SSD-B")};
}

void ModelRig::mount(std::vector<DriveInfo> volumes) {
    harness.volumes->push(std::move(volumes));
    harness.drain();
}

void ModelRig::mountAll() { mount(all()); }

bool ModelRig::transferAndWait() {
    model().transferTapped();
    harness.settle();
    return harness.waitUntil([&] { return model().transferState() != TransferState::running; });
}

}  // namespace quillane::testing
