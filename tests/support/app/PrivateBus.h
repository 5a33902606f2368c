#pragma once
#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <chrono>
#include <memory>
#include <vector>

#include "support/TempDir.h"

namespace quillane::testing {

// A private D-Bus daemon for one test, standing in for the session and the system bus, and
// the stand-in services (python3-dbusmock) that run on it. When no daemon can be started,
// available() is false and reason() says why: the test skips.
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool available() const { return connected_; }
    const QString& reason() const { return reason_; }
    QString address() const { return address_; }
    // A connection of the test (and the code under test) to this bus.
    QDBusConnection connection() const;

    // Starts `python3 -m dbusmock` with these arguments on this bus and waits until it owns
    // busName. Its log of method calls goes to a file that log() reads. False (reason() set)
    // when it could not start.
    bool startMock(const QString& busName, const QStringList& arguments);
    // Starts a Python script of the test folder with the bus in QUILLANE_TEST_BUS and the log
    // file in QUILLANE_TEST_LOG, then waits until it owns busName.
    bool startScript(const QString& busName, const QString& script, const QStringList& arguments);
    // Everything the stand-ins logged so far.
    QString log() const;
    // Waits until the log holds text.
    bool waitForLog(const QString& text, std::chrono::milliseconds timeout = std::chrono::seconds(5)) const;

private:
    bool startService(const QString& busName, const QStringList& arguments, const QString& log);
    QString nextLog();

    TempDir dir_{"quillane-bus"};
    QProcess daemon_;
    std::vector<std::unique_ptr<QProcess>> services_;
    QString address_;
    QString connectionName_;
    QString reason_;
    QStringList logs_;  // one per stand-in, each writes its own
    bool connected_ = false;
};

}  // namespace quillane::testing
