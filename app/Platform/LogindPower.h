#pragma once
#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QObject>

#include <functional>

#include "Model/Seams/PowerEvents.h"

namespace quillane {

// Sleep and wake through systemd-logind on the system bus. While started, a delay inhibitor lock
// makes the system wait before sleeping until willSleep has returned (logind waits at most its
// InhibitDelayMaxSec); the lock is released then and taken again after waking. holdAwake takes a
// "sleep:idle" block lock, released when the hold is destroyed. Without logind nothing happens.
class LogindPower final : public QObject, public PowerEvents {
    Q_OBJECT
public:
    explicit LogindPower(QDBusConnection bus = QDBusConnection::systemBus(), QObject* parent = nullptr);
    void start(std::function<void()> willSleep, std::function<void()> didWake) override;
    std::unique_ptr<PowerHold> holdAwake(const std::string& reason) override;
    // A delay lock is held now (sleep will wait for willSleep).
    bool holdsDelayLock() const { return delayLock_.isValid(); }

private slots:
    void prepareForSleep(bool sleeping);

private:
    void takeDelayLock();

    QDBusConnection bus_;
    std::function<void()> willSleep_, didWake_;
    QDBusUnixFileDescriptor delayLock_;
    bool started_ = false;
    bool sleeping_ = false;  // between PrepareForSleep(true) and PrepareForSleep(false)
};

}  // namespace quillane
