#include "Platform/UDisksEjector.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QPointer>

#include <memory>

#include "Support/Lang.h"

using UDisksInterfaces = QMap<QString, QVariantMap>;
using UDisksObjects = QMap<QDBusObjectPath, UDisksInterfaces>;

namespace quillane {
namespace {

const QString service = "org.freedesktop.UDisks2";
const QString blockInterface = "org.freedesktop.UDisks2.Block";
const QString filesystemInterface = "org.freedesktop.UDisks2.Filesystem";
const QString driveInterface = "org.freedesktop.UDisks2.Drive";

std::string notAvailable() {
    return L("Uitwerpen is op deze computer niet beschikbaar.", "Ejecting is not available on this computer.");
}

// Why UDisks2 refused, in the crew's words where it has a name for it.
std::string refusal(const QDBusError& error) {
    const QString name = error.name();
    if (name == "org.freedesktop.UDisks2.Error.DeviceBusy")
        return L("De schijf is nog in gebruik: een programma heeft er een bestand op open.",
                 "The drive is still in use: a program has a file open on it.");
    if (name.startsWith("org.freedesktop.UDisks2.Error.NotAuthorized"))
        return L("Je hebt geen toestemming om deze schijf uit te werpen.", "You are not allowed to eject this drive.");
    if (name == "org.freedesktop.DBus.Error.ServiceUnknown" || name == "org.freedesktop.DBus.Error.NoReply" ||
        name == "org.freedesktop.DBus.Error.Disconnected")
        return notAvailable();
    return error.message().isEmpty() ? name.toStdString() : error.message().toStdString();
}

QList<QByteArray> byteArrays(const QVariant& value) {
    if (value.canConvert<QDBusArgument>()) return qdbus_cast<QList<QByteArray>>(value.value<QDBusArgument>());
    return value.value<QList<QByteArray>>();
}

QStringList mountPoints(const UDisksInterfaces& interfaces) {
    QStringList points;
    const auto filesystem = interfaces.find(filesystemInterface);
    if (filesystem == interfaces.end()) return points;
    for (QByteArray raw : byteArrays(filesystem->value("MountPoints"))) {
        while (raw.endsWith('\0')) raw.chop(1);
        QString point = QString::fromUtf8(raw);
        while (point.size() > 1 && point.endsWith('/')) point.chop(1);
        points << point;
    }
    return points;
}

QString driveOf(const UDisksInterfaces& interfaces) {
    const auto block = interfaces.find(blockInterface);
    if (block == interfaces.end()) return {};
    const QString drive = block->value("Drive").value<QDBusObjectPath>().path();
    return drive == "/" ? QString() : drive;
}

// What to do with one drive: the file systems to unmount, then eject, power off or neither.
struct EjectPlan {
    QStringList unmount;
    QString drive;
    bool eject = false;
    bool powerOff = false;
};

std::optional<EjectPlan> planFor(const UDisksObjects& objects, const QString& mountPoint) {
    EjectPlan plan;
    for (auto it = objects.begin(); it != objects.end(); ++it)
        if (mountPoints(it.value()).contains(mountPoint)) plan.drive = driveOf(it.value());
    if (plan.drive.isEmpty()) return std::nullopt;
    for (auto it = objects.begin(); it != objects.end(); ++it)
        if (driveOf(it.value()) == plan.drive && !mountPoints(it.value()).isEmpty()) plan.unmount << it.key().path();

    const QVariantMap drive = objects.value(QDBusObjectPath(plan.drive)).value(driveInterface);
    const QString sibling = drive.value("SiblingId").toString();
    bool siblingMounted = false;
    if (!sibling.isEmpty()) {
        for (auto it = objects.begin(); it != objects.end(); ++it) {
            const QString other = driveOf(it.value());
            if (other.isEmpty() || other == plan.drive || mountPoints(it.value()).isEmpty()) continue;
            if (objects.value(QDBusObjectPath(other)).value(driveInterface).value("SiblingId").toString() == sibling)
                siblingMounted = true;
        }
    }
    plan.eject = drive.value("Ejectable").toBool();
    plan.powerOff = !plan.eject && drive.value("CanPowerOff").toBool() && !siblingMounted;
    return plan;
}

// One eject in flight: unmounts one file system after the other, then ejects or powers off.
class EjectRun : public QObject {
public:
    EjectRun(QDBusConnection bus, EjectPlan plan, Ejector::Done done, QObject* parent)
        : QObject(parent), bus_(std::move(bus)), plan_(std::move(plan)), done_(std::move(done)) {}

    void next() {
        if (!plan_.unmount.isEmpty()) {
            const QString path = plan_.unmount.takeFirst();
            call(path, filesystemInterface, "Unmount", [this](const QDBusMessage& reply) {
                if (reply.type() == QDBusMessage::ErrorMessage) return finish(refusal(QDBusError(reply)));
                next();
            });
            return;
        }
        if (plan_.eject || plan_.powerOff) {
            const QString method = plan_.eject ? "Eject" : "PowerOff";
            plan_.eject = plan_.powerOff = false;
            // Unmounted is safe to pull: a reader that won't eject or power off is not a failure.
            call(plan_.drive, driveInterface, method, [this](const QDBusMessage&) { finish(std::nullopt); });
            return;
        }
        finish(std::nullopt);
    }

private:
    template <typename Then>
    void call(const QString& path, const QString& interface, const QString& method, Then then) {
        QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
        message << QVariantMap();
        auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(message, 120000), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, then] {
            watcher->deleteLater();
            then(watcher->reply());
        });
    }

    void finish(std::optional<std::string> error) {
        Ejector::Done done = std::move(done_);
        deleteLater();
        if (done) done(std::move(error));
    }

    QDBusConnection bus_;
    EjectPlan plan_;
    Ejector::Done done_;
};

}  // namespace

UDisksEjector::UDisksEjector(QDBusConnection bus, QObject* parent) : QObject(parent), bus_(std::move(bus)) {
    qDBusRegisterMetaType<QList<QByteArray>>();
    qDBusRegisterMetaType<UDisksInterfaces>();
    qDBusRegisterMetaType<UDisksObjects>();
}

void UDisksEjector::eject(const std::filesystem::path& mountPoint, Done done) {
    if (!bus_.isConnected()) {
        done(notAvailable());
        return;
    }
    QString point = QString::fromStdString(mountPoint.lexically_normal().string());
    while (point.size() > 1 && point.endsWith('/')) point.chop(1);
    const QDBusMessage list = QDBusMessage::createMethodCall(service, "/org/freedesktop/UDisks2",
                                                             "org.freedesktop.DBus.ObjectManager", "GetManagedObjects");
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(list, 20000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, point, done = std::move(done)] {
        watcher->deleteLater();
        const QDBusMessage reply = watcher->reply();
        if (reply.type() == QDBusMessage::ErrorMessage || reply.arguments().isEmpty()) {
            done(notAvailable());
            return;
        }
        const auto objects = qdbus_cast<UDisksObjects>(reply.arguments().first().value<QDBusArgument>());
        std::optional<EjectPlan> plan = planFor(objects, point);
        if (!plan) {
            std::error_code error;
            if (!std::filesystem::exists(point.toStdString(), error)) {
                done(std::nullopt);  // unmounted meanwhile: nothing left to eject
                return;
            }
            done(L("Het systeem beheert deze schijf niet, dus hij kan hier niet worden uitgeworpen.",
                   "The system doesn't manage this drive, so it can't be ejected here."));
            return;
        }
        (new EjectRun(bus_, std::move(*plan), done, this))->next();
    });
}

}  // namespace quillane
