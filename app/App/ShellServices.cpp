#include "App/ShellServices.h"

#include <memory>

#include <QImage>
#include <QPainter>

#include "App/DialogFolderPicker.h"
#include "Platform/DesktopFeedback.h"
#include "Platform/DesktopNotifications.h"
#include "Platform/FFmpegClipInspector.h"
#include "Platform/FileManagerDesktop.h"
#include "Platform/LogindPower.h"
#include "Platform/UDisksEjector.h"
#include "Platform/VolumeMonitor.h"
#include "Views/Kit/BrandLogo.h"

namespace quillane {

namespace {
// The volume monitor behind the model's volume source.
class MonitorVolumes final : public VolumeSource {
public:
    void start(Callback onChange) override {
        monitor_.onChange = std::move(onChange);
        monitor_.start();
    }

private:
    VolumeMonitor monitor_;
};

// The product mark beside a desktop notification's text.
QImage notificationIcon() {
    QImage icon(64, 64, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    BrandLogo::paint(painter, 64);
    return icon;
}
}  // namespace

ModelServices shellServices(bool snapshotMode) {
    ModelServices services;
    services.volumes = std::make_shared<MonitorVolumes>();
    services.snapshotMode = snapshotMode;
    // Sleep, notifications, eject and the desktop's helpers; each does nothing where its service is absent.
    if (!snapshotMode) {
        services.power = std::make_shared<LogindPower>();
        services.notifications = std::make_shared<DesktopNotifications>(QDBusConnection::sessionBus(), notificationIcon());
        services.feedback = std::make_shared<DesktopFeedback>();
        services.ejector = std::make_shared<UDisksEjector>();
        services.folderPicker = std::make_shared<DialogFolderPicker>();
    }
    services.desktop = std::make_shared<FileManagerDesktop>();
    // Reports are rewritten with the facts of their clips.
    services.clipInspector = std::make_shared<FFmpegClipInspector>();
    return services;
}

}  // namespace quillane
