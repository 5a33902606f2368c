#pragma once
#include <QDBusConnection>
#include <QImage>

#include <optional>
#include <string>

#include "Model/Seams/NotificationCenter.h"

namespace quillane {

// Notifications on Linux: the desktop's notification service (org.freedesktop.Notifications on
// the session bus) when notifications are on, and a phone push when a topic is set. Neither
// needs the other; without a bus or a notification service only the push goes out. Never blocks:
// the notification is an asynchronous call, the push runs on a pool thread.
class DesktopNotifications final : public NotificationCenter {
public:
    // icon: the product mark shown beside the text (none: the service's default).
    explicit DesktopNotifications(QDBusConnection bus = QDBusConnection::sessionBus(), QImage icon = {},
                                  std::string pushServer = {});

    void setSwitches(bool enabled, std::optional<std::string> phoneTopic) override;
    // The desktop grants notifications without asking.
    void requestPermission() override {}
    void post(const std::string& title, const std::string& body, NotificationKind kind) override;

private:
    QDBusConnection bus_;
    QImage icon_;
    std::string pushServer_;
    bool enabled_ = false;
    std::optional<std::string> phoneTopic_;
};

}  // namespace quillane
