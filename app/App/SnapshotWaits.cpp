#include "App/SnapshotWaits.h"

#include <QDeadlineTimer>
#include <algorithm>

namespace quillane {

SnapshotWaits::SnapshotWaits(std::chrono::milliseconds tick, QObject* parent) : QObject(parent), tick_(tick) {}

void SnapshotWaits::waitFor(std::function<bool()> condition, std::chrono::milliseconds timeout,
                            std::function<void()> then, std::function<void()> timedOut) {
    auto* timer = new QTimer(this);
    timer->setInterval(tick_);
    const QDeadlineTimer deadline(timeout);
    connect(timer, &QTimer::timeout, this, [timer, deadline, condition = std::move(condition),
                                            then = std::move(then), timedOut = std::move(timedOut)] {
        // The timer goes first: a continuation may start new waits or stop them all.
        if (condition()) {
            timer->stop();
            timer->deleteLater();
            then();
        } else if (deadline.hasExpired()) {
            timer->stop();
            timer->deleteLater();
            timedOut();
        }
    });
    std::erase_if(timers_, [](const QPointer<QTimer>& t) { return t.isNull() || !t->isActive(); });
    timers_.push_back(timer);
    timer->start();
}

void SnapshotWaits::stopAll() {
    for (const QPointer<QTimer>& timer : timers_)
        if (timer) {
            timer->stop();
            timer->deleteLater();
        }
    timers_.clear();
}

int SnapshotWaits::running() const {
    return static_cast<int>(
        std::count_if(timers_.begin(), timers_.end(), [](const QPointer<QTimer>& t) { return t && t->isActive(); }));
}

}  // namespace quillane
