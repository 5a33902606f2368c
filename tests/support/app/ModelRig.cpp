#include "support/app/ModelRig.h"

#include <gtest/gtest.h>

#include <QTimer>

#include <thread>

#include "Transfer/TransferEngine.h"

namespace quillane::testing {

ModelRig::ModelRig() {
    writeFile(card / "PRIVATE/M4ROOT/CLIP/C0001.MP4", std::string(300'000, 'a'));
    writeFile(card / "PRIVATE/M4ROOT/CLIP/C0002.MP4", std::string(200'000, 'b'));
    writeFile(card / "PRIVATE/M4ROOT/MEDIAPRO.XML", "<xml/>");
    std::filesystem::create_directories(ssdA);
    std::filesystem::create_directories(ssdB);
    harness.timings.wakeCheck = std::chrono::milliseconds(150);
    harness.timings.sleepWaitSeconds = 2.0;
    idleTimers_ = mostTimers_ = runningTimers(makeStartedModel(harness));
}

AppModel& makeStartedModel(ModelHarness& harness) {
    AppModel& model = harness.make();
    model.changeSettings([](AppSettings& settings) { settings.askBeforeCreatingFolders = false; });
    model.setProject("Alpha");
    model.start();
    return model;
}

int runningTimers(const AppModel& model) {
    int running = 0;
    for (const QTimer* timer : model.findChildren<QTimer*>(Qt::FindDirectChildrenOnly)) running += timer->isActive();
    return running;
}

DriveInfo ModelRig::cardInfo(const std::filesystem::path& folder, const std::string& name, const std::string& uuid) {
    return FakeVolume::card(folder, name, uuid);
}

std::vector<DriveInfo> ModelRig::all() const {
    return {cardInfo(card, "A001_SONY", "CARD-1"), FakeVolume::ssd(ssdA, "SSD_A", "SSD-A"),
            FakeVolume::ssd(ssdB, "SSD_B", "SSD-B")};
}

std::vector<DriveInfo> ModelRig::allBut(const std::string& name) const {
    std::vector<DriveInfo> volumes = all();
    std::erase_if(volumes, [&](const DriveInfo& volume) { return volume.name == name; });
    return volumes;
}

DriveInfo ModelRig::otherCard() const {
    const std::filesystem::path folder = root / "B_CARD";
    writeFile(folder / "PRIVATE/M4ROOT/CLIP/C0001.MP4", std::string(100'000, 'z'));
    return cardInfo(folder, "B_CARD", "CARD-2");
}

void ModelRig::mount(std::vector<DriveInfo> volumes) {
    harness.volumes->push(std::move(volumes));
    harness.drain();
}

void ModelRig::mountAll() { mount(all()); }

void ModelRig::tapTransfer() {
    model().requestTransfer();
    harness.settle();
}

bool ModelRig::startHeld(std::vector<DriveInfo> volumes) {
    harness.engines->gated = true;
    if (volumes.empty()) volumes = all();
    const std::string first = volumes[0].id;
    mount(std::move(volumes));
    model().selectSource(first);
    harness.drain();
    tapTransfer();
    return model().transferState() == TransferState::running;
}

bool ModelRig::pause(bool bySleep) {
    if (bySleep)
        harness.power->sleep();
    else
        model().pauseTransfer();
    return waitForState(TransferState::paused);
}

bool ModelRig::transferAndWait() {
    tapTransfer();
    return waitFor([&] { return model().transferState() != TransferState::running; });
}

bool ModelRig::waitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    return harness.waitUntil(
        [&] {
            mostTimers_ = std::max(mostTimers_, runningTimers(model()));
            return condition();
        },
        timeout);
}

void ModelRig::holdMidFile(FaultyFileIO& faults) {
    writeFile(card / "PRIVATE/M4ROOT/CLIP/C0001.MP4", std::string(3 * TransferEngine::chunkSize, 'a'));
    faults.fail({.call = FaultyFileIO::Call::write,
                 .pathContains = "CLIP/.C0001.MP4",
                 .error = 0,
                 .skipCalls = 1,
                 .once = true,
                 .before = [this] {
                     const int stops = harness.engines->stops();
                     midFile = true;
                     const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
                     while ((harness.engines->stops() == stops || stopLate) && std::chrono::steady_clock::now() < limit)
                         std::this_thread::sleep_for(std::chrono::milliseconds(1));
                 }});
}

void ModelRig::expectNoIncompleteCopy(const std::filesystem::path& roll) const {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(card)) {
        if (!entry.is_regular_file()) continue;
        const std::filesystem::path copy = roll / std::filesystem::relative(entry.path(), card);
        if (std::filesystem::exists(copy)) {
            EXPECT_EQ(readFile(copy), readFile(entry.path())) << copy;
        }
    }
    if (!std::filesystem::exists(roll)) return;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(roll))
        EXPECT_EQ(entry.path().string().find(".quillane-partial"), std::string::npos) << entry.path();
}

}  // namespace quillane::testing
