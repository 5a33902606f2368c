#include "Platform/LogindPower.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QPointer>

#include <memory>

#include "Product/Product.h"
#include "Support/Lang.h"

namespace quillane {
namespace {

const QString login1 = "org.freedesktop.login1";
const QString managerPath = "/org/freedesktop/login1";
const QString managerInterface = "org.freedesktop.login1.Manager";

// Asks logind for an inhibitor lock; got runs with its file descriptor when it is granted.
template <typename Got>
void inhibit(QDBusConnection& bus, QObject* context, const QString& what, const QString& why, const QString& mode,
             Got got) {
    QDBusMessage call = QDBusMessage::createMethodCall(login1, managerPath, managerInterface, "Inhibit");
    call << what << QString::fromUtf8(Product::name) << why << mode;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, 10000), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context, [watcher, got] {
        watcher->deleteLater();
        const QDBusMessage reply = watcher->reply();
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return;
        got(reply.arguments().first().value<QDBusUnixFileDescriptor>());
    });
}

// Holds a block lock; closing its descriptor (when the last copy goes) lets the system sleep again.
class LogindHold final : public PowerHold {
public:
    std::shared_ptr<QDBusUnixFileDescriptor> lock = std::make_shared<QDBusUnixFileDescriptor>();
    std::unique_ptr<QObject> context = std::make_unique<QObject>();
};

}  // namespace

LogindPower::LogindPower(QDBusConnection bus, QObject* parent) : QObject(parent), bus_(std::move(bus)) {}

void LogindPower::start(std::function<void()> willSleep, std::function<void()> didWake) {
    if (started_) return;
    started_ = true;
    willSleep_ = std::move(willSleep);
    didWake_ = std::move(didWake);
    if (!bus_.isConnected()) return;
    bus_.connect(login1, managerPath, managerInterface, "PrepareForSleep", this, SLOT(prepareForSleep(bool)));
    takeDelayLock();
}

std::unique_ptr<PowerHold> LogindPower::holdAwake(const std::string& reason) {
    auto hold = std::make_unique<LogindHold>();
    if (!bus_.isConnected()) return hold;
    // The reply finds the hold only while it exists; a lock granted after it went is dropped with the reply.
    inhibit(bus_, hold->context.get(), "sleep:idle", QString::fromStdString(reason), "block",
            [lock = std::weak_ptr<QDBusUnixFileDescriptor>(hold->lock)](const QDBusUnixFileDescriptor& fd) {
                if (auto held = lock.lock()) *held = fd;
            });
    return hold;
}

void LogindPower::takeDelayLock() {
    QPointer<LogindPower> self(this);
    inhibit(bus_, this, "sleep", QString::fromStdString(L("Een lopende transfer pauzeren", "Pausing a running transfer")),
            "delay", [self](const QDBusUnixFileDescriptor& fd) {
                // A lock granted once sleep is under way comes too late to delay it: dropping it
                // here releases it at once, and waking takes a fresh one.
                if (self && !self->sleeping_) self->delayLock_ = fd;
            });
}

void LogindPower::prepareForSleep(bool sleeping) {
    sleeping_ = sleeping;
    if (sleeping) {
        if (willSleep_) willSleep_();
        delayLock_ = QDBusUnixFileDescriptor();  // the system may sleep now
        return;
    }
    takeDelayLock();
    if (didWake_) didWake_();
}

}  // namespace quillane
