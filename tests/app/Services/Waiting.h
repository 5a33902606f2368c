#pragma once
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <functional>

namespace quillane::testing {

// Runs the event loop until done() holds or five seconds pass; returns done().
inline bool waitUntil(const std::function<bool()>& done, int milliseconds = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    return done();
}

}  // namespace quillane::testing
