#include "CartWindow.h"

#include <QApplication>
#include <QTest>

#include "App/ShellServices.h"

namespace quillane::testing {

CartWindow::CartWindow(ModelTimings timings) {
    writeFile(card / "PRIVATE/M4ROOT/CLIP/C0001.MP4", std::string(300'000, 'a'));
    writeFile(card / "PRIVATE/M4ROOT/CLIP/C0002.MP4", std::string(200'000, 'b'));
    writeFile(card / "PRIVATE/M4ROOT/MEDIAPRO.XML", "<xml/>");
    std::filesystem::create_directories(ssdA);
    std::filesystem::create_directories(ssdB);
    ModelServices services = shellServices(false);
    services.volumes = volumes;
    services.engines = engines;
    services.space = space;
    services.timings = timings;
    model_ = std::make_unique<AppModel>(store.path(), services);
    model_->changeSettings([](AppSettings& settings) {
        settings.language = AppLanguage::en;
        settings.askBeforeCreatingFolders = false;
        settings.notifications = false;
        settings.playSoundWhenDone = false;
    });
    model_->setProject("Alpha");
    model_->setShowProjectSheet(false);
    window_ = std::make_unique<MainWindow>(*model_);
    window_->resize(1300, 800);
    window_->setAttribute(Qt::WA_DontShowOnScreen);
    window_->show();
    model_->start();
    QCoreApplication::processEvents();
}

CartWindow::~CartWindow() {
    engines->openGates();
    window_.reset();
    model_.reset();
    QCoreApplication::processEvents();
}

std::vector<DriveInfo> CartWindow::all() const {
    return {FakeVolume::card(card, "FX6_CARD", "CARD-1"), FakeVolume::ssd(ssdA, "SSD_A", "SSD-A"),
            FakeVolume::ssd(ssdB, "SSD_B", "SSD-B")};
}

std::vector<DriveInfo> CartWindow::allBut(const std::string& name) const {
    std::vector<DriveInfo> mounted = all();
    std::erase_if(mounted, [&](const DriveInfo& volume) { return volume.name == name; });
    return mounted;
}

void CartWindow::plug(const std::vector<DriveInfo>& mounted) {
    volumes->push(mounted);
    const bool withCard = std::any_of(mounted.begin(), mounted.end(),
                                      [](const DriveInfo& volume) { return volume.name == "FX6_CARD"; });
    if (withCard) waitFor([&] { return model_->scan() && model_->scanState().is(ScanState::Kind::ready); });
    QCoreApplication::processEvents();
}

bool CartWindow::startTransfer(bool held) {
    engines->gated = held;
    if (!waitFor([&] {
            auto* button = findWidget(QStringLiteral("transferButton"));
            return button && button->isEnabled();
        }))
        return false;
    click(QStringLiteral("transferButton"));
    return waitFor([&] { return model_->transferState() == TransferState::running || model_->lastResult(); });
}

bool CartWindow::waitFor(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, 30'000); }

}  // namespace quillane::testing
