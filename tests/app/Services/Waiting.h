#pragma once
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <functional>

namespace quillane::testing {

// Runs the event loop until done() holds or 30 seconds pass; returns done(). A stand-in service
// written in Python starts and answers slowly on a loaded two-core machine; a wait that holds
// returns as soon as it does.
inline bool waitUntil(const std::function<bool()>& done, int milliseconds = 30'000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    return done();
}

}  // namespace quillane::testing
