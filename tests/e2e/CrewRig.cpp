#include "CrewRig.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QTest>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "App/MainWindow.h"
#include "App/ShellServices.h"
#include "Model/AppModel.h"
#include "support/PrivateMounts.h"
#include "support/TestClips.h"

namespace quillane::testing {

namespace fs = std::filesystem;

void CopyGate::reach() {
    reached_ = true;
    const auto limit = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (!open_ && std::chrono::steady_clock::now() < limit) std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

void CopyGate::open() { open_ = true; }

std::optional<std::string> CrewRig::unavailable() {
    if (const auto& why = privateMountNamespaceUnavailable()) return *why;
    for (const auto kind : {LoopVolume::Kind::ext4, LoopVolume::Kind::exfat})
        if (auto why = LoopVolume::unavailable(kind)) return *why;
    if (!haveFFmpeg()) return std::string("ffmpeg is missing: the cards hold real clips");
    return std::nullopt;
}

CrewRig::CrewRig() : media_("/media/crew") {
    // A home of its own: settings, history and catalog start empty, as on a crew's first day.
    for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_CONFIG_HOME"}) {
        const fs::path folder = dir_ / name;
        fs::create_directories(folder);
        ::setenv(name, folder.c_str(), 1);
    }
    fs::create_directories(media_);
    for (const char* scheme : {"file", "http", "https"}) QDesktopServices::setUrlHandler(scheme, &opener, "open");
}

CrewRig::~CrewRig() {
    quit();
    for (const char* scheme : {"file", "http", "https"}) QDesktopServices::unsetUrlHandler(scheme);
    volumes_.clear();
    std::error_code ignored;
    fs::remove_all(media_, ignored);
}

void CrewRig::launch() {
    ModelServices services = shellServices(false);
    services.timings.freeSpaceRefresh = freeSpaceRefresh;
    model_ = std::make_unique<AppModel>(std::nullopt, std::move(services));
    window_ = std::make_unique<MainWindow>(*model_);
    window_->show();
    model_->start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get(), 30'000));
}

void CrewRig::quit() {
    window_.reset();
    // The model stops and joins its engine, probes and scans as it goes.
    model_.reset();
    QCoreApplication::processEvents();
}

LoopVolume& CrewRig::insertCard(const std::string& label, const std::string& serial, int clips) {
    // Made and filled away from /media, then mounted there: the card arrives in one piece.
    auto card = std::make_unique<LoopVolume>(dir_ / (label + ".img"), dir_ / "making" / label,
                                             LoopVolume::Options{LoopVolume::Kind::exfat, label, serial, 48ull << 20});
    const fs::path clipsFolder = card->mountPoint() / "PRIVATE/M4ROOT/CLIP";
    for (int i = 1; i <= clips; ++i) {
        const std::string name = "C000" + std::to_string(i);
        // C0002 is over a megabyte: the engine puts the small files before it in place before it
        // starts on it, so a copy held in it has finished files behind it.
        const bool made = makeClip(clipsFolder / (name + ".MP4"),
                                   i == 2 ? "-f lavfi -i testsrc2=s=1280x720:r=25 -t 1 -c:v mpeg4 -q:v 1"
                                          : "-f lavfi -i testsrc2=s=96x54:r=25 -t 0.4 -c:v libx264 -pix_fmt yuv420p");
        EXPECT_TRUE(made) << name;
        writeFile(clipsFolder / (name + "M01.XML"), "<NonRealTimeMeta lastUpdate=\"2026-12-07\"/>");
    }
    // A card is known by its files' names, sizes and times to the second: its own name in one file
    // keeps two cards made within the same second two cards.
    writeFile(card->mountPoint() / "PRIVATE/M4ROOT/MEDIAPRO.XML", "<MediaProfile card=\"" + label + "\"/>");
    card->moveTo(mountPoint(label));
    return *(volumes_[label] = std::move(card));
}

LoopVolume& CrewRig::plugSSD(const std::string& label) {
    auto ssd = std::make_unique<LoopVolume>(dir_ / (label + ".img"), mountPoint(label),
                                            LoopVolume::Options{LoopVolume::Kind::ext4, label, "", 96ull << 20});
    return *(volumes_[label] = std::move(ssd));
}

void CrewRig::expectCopied(const std::string& card, const fs::path& roll) const {
    const fs::path root = mountPoint(card);
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        const fs::path copy = roll / fs::relative(entry.path(), root);
        ASSERT_TRUE(fs::exists(copy)) << copy;
        EXPECT_EQ(readFile(copy), readFile(entry.path())) << copy;
        EXPECT_EQ(fs::last_write_time(copy), fs::last_write_time(entry.path())) << copy;
        ++files;
    }
    EXPECT_GT(files, 0) << root;
}

}  // namespace quillane::testing
