#include "Platform/DesktopNotifications.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCall>
#include <QThreadPool>

#include "Notifications/PhonePush.h"
#include "Product/Product.h"

namespace quillane {
namespace {

// The "image-data" hint: raw RGBA rows in the notification service's (iiibiiay) layout.
struct NotificationImage {
    QImage image;
};

QDBusArgument& operator<<(QDBusArgument& argument, const NotificationImage& icon) {
    const QImage rgba = icon.image.convertToFormat(QImage::Format_RGBA8888);
    argument.beginStructure();
    argument << rgba.width() << rgba.height() << static_cast<int>(rgba.bytesPerLine()) << true << 8 << 4
             << QByteArray(reinterpret_cast<const char*>(rgba.constBits()), rgba.sizeInBytes());
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, NotificationImage&) { return argument; }

}  // namespace
}  // namespace quillane

Q_DECLARE_METATYPE(quillane::NotificationImage)

namespace quillane {
namespace {

struct PushStyle {
    std::vector<std::string> tags;
    bool highPriority;
};

PushStyle pushStyle(NotificationKind kind) {
    switch (kind) {
    case NotificationKind::success: return {{"white_check_mark"}, false};
    case NotificationKind::failure: return {{"warning"}, true};
    case NotificationKind::info: break;
    }
    return {{"pause_button"}, false};
}

}  // namespace

DesktopNotifications::DesktopNotifications(QDBusConnection bus, QImage icon, std::string pushServer)
    : bus_(std::move(bus)), icon_(std::move(icon)),
      pushServer_(pushServer.empty() ? PhonePush::defaultServer() : std::move(pushServer)) {
    qDBusRegisterMetaType<NotificationImage>();
}

void DesktopNotifications::setSwitches(bool enabled, std::optional<std::string> phoneTopic) {
    enabled_ = enabled;
    phoneTopic_ = std::move(phoneTopic);
}

void DesktopNotifications::post(const std::string& title, const std::string& body, NotificationKind kind) {
    if (enabled_ && bus_.isConnected()) {
        QDBusMessage notify = QDBusMessage::createMethodCall(
            "org.freedesktop.Notifications", "/org/freedesktop/Notifications", "org.freedesktop.Notifications",
            "Notify");
        QVariantMap hints;
        hints.insert("urgency", QVariant::fromValue(static_cast<uchar>(kind == NotificationKind::failure ? 2 : 1)));
        hints.insert("desktop-entry", QString::fromUtf8(Product::desktopId));
        hints.insert("sound-name", kind == NotificationKind::failure ? QStringLiteral("dialog-warning")
                                                                       : QStringLiteral("message-new-instant"));
        if (!icon_.isNull()) hints.insert("image-data", QVariant::fromValue(NotificationImage{icon_}));
        notify << QString::fromUtf8(Product::name) << 0u << QString() << QString::fromStdString(title)
               << QString::fromStdString(body) << QStringList() << hints << -1;
        // The answer (the notification's number) is not needed; an absent service is not an error here.
        bus_.asyncCall(notify);
    }
    if (phoneTopic_) {
        const PushStyle style = pushStyle(kind);
        QThreadPool::globalInstance()->start(
            [server = pushServer_, topic = *phoneTopic_, title, body, style] {
                PhonePush::send(server, topic, title, body, style.tags, style.highPriority);
            });
    }
}

}  // namespace quillane
