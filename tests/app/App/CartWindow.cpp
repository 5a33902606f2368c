#include "CartWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTest>

#include "App/ShellServices.h"
#include "Views/Kit/TapeLabel.h"
#include "Views/Kit/TextLabel.h"
#include "Views/Kit/TextLine.h"

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
            auto* button = find<QAbstractButton>(QStringLiteral("transferButton"));
            return button && button->isEnabled();
        }))
        return false;
    click(QStringLiteral("transferButton"));
    return waitFor([&] { return model_->transferState() == TransferState::running || model_->lastResult(); });
}

QList<QWidget*> CartWindow::findAll(const QString& name) const {
    QList<QWidget*> found;
    for (QWidget* top : QApplication::topLevelWidgets())
        for (QWidget* widget : top->findChildren<QWidget*>(name))
            if (widget->isVisible()) found << widget;
    return found;
}

QWidget* CartWindow::find(const QString& name) const {
    const QList<QWidget*> found = findAll(name);
    return found.isEmpty() ? nullptr : found.front();
}

bool CartWindow::click(const QString& name) {
    QWidget* widget = find(name);
    if (!widget || !widget->isEnabled()) return false;
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    QCoreApplication::processEvents();
    return true;
}

bool CartWindow::waitFor(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, 30'000); }

QString textOf(const QWidget* widget) {
    if (!widget) return {};
    if (auto* label = qobject_cast<const TextLabel*>(widget)) return label->text();
    if (auto* line = qobject_cast<const TextLine*>(widget)) return line->text();
    if (auto* tape = qobject_cast<const TapeLabel*>(widget)) return tape->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
    if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
    return {};
}

}  // namespace quillane::testing
