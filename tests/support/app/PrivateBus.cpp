#include "support/app/PrivateBus.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QUuid>

namespace quillane::testing {
namespace {

// Debian's interpreter, where python3-dbusmock is installed (not a user's own Python first on PATH).
const QString python = "/usr/bin/python3";

}  // namespace

PrivateBus::PrivateBus() {
    daemon_.setProgram("dbus-daemon");
    daemon_.setArguments({"--session", "--nofork", "--nopidfile", "--print-address=1",
                          "--address=unix:dir=" + QString::fromStdString(dir_.path().string())});
    daemon_.start();
    if (!daemon_.waitForStarted(5000)) {
        reason_ = "dbus-daemon could not be started: " + daemon_.errorString();
        return;
    }
    QElapsedTimer timer;
    timer.start();
    while (!daemon_.canReadLine() && timer.elapsed() < 5000) daemon_.waitForReadyRead(100);
    address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    if (address_.isEmpty()) {
        reason_ = "dbus-daemon gave no address";
        return;
    }
    connectionName_ = "quillane-test-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
    const QDBusConnection bus = QDBusConnection::connectToBus(address_, connectionName_);
    connected_ = bus.isConnected();
    if (!connected_) reason_ = "could not connect to the private bus: " + bus.lastError().message();
}

PrivateBus::~PrivateBus() {
    for (auto& service : services_) {
        service->kill();
        service->waitForFinished(2000);
    }
    if (!connectionName_.isEmpty()) QDBusConnection::disconnectFromBus(connectionName_);
    daemon_.kill();
    daemon_.waitForFinished(2000);
}

QDBusConnection PrivateBus::connection() const { return QDBusConnection(connectionName_); }

bool PrivateBus::startMock(const QString& busName, const QStringList& arguments) {
    const QString log = nextLog();
    return startService(busName, QStringList{"-m", "dbusmock", "-l", log} + arguments, log);
}

bool PrivateBus::startScript(const QString& busName, const QString& script, const QStringList& arguments) {
    return startService(busName, QStringList{script} + arguments, nextLog());
}

bool PrivateBus::startService(const QString& busName, const QStringList& arguments, const QString& log) {
    if (!connected_) return false;
    if (!QFile::exists(python)) {
        reason_ = python + " is missing";
        return false;
    }
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DBUS_SESSION_BUS_ADDRESS", address_);
    environment.insert("DBUS_SYSTEM_BUS_ADDRESS", address_);
    environment.insert("QUILLANE_TEST_BUS", address_);
    environment.insert("QUILLANE_TEST_LOG", log);
    process->setProcessEnvironment(environment);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(python, arguments);
    if (!process->waitForStarted(5000)) {
        reason_ = "could not start " + python + ": " + process->errorString();
        return false;
    }
    QElapsedTimer timer;
    timer.start();
    const QDBusConnection bus = connection();
    while (!bus.interface()->isServiceRegistered(busName).value()) {
        if (process->state() == QProcess::NotRunning || timer.elapsed() > 15000) {
            reason_ = "the stand-in for " + busName + " did not start (is python3-dbusmock installed?)";
            return false;
        }
        QThread::msleep(50);
    }
    services_.push_back(std::move(process));
    return true;
}

QString PrivateBus::nextLog() {
    logs_.push_back(QString::fromStdString((dir_ / ("log-" + std::to_string(logs_.size()))).string()));
    return logs_.back();
}

QString PrivateBus::log() const {
    QString text;
    for (const QString& path : logs_) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) text += QString::fromUtf8(file.readAll());
    }
    return text;
}

bool PrivateBus::waitForLog(const QString& text, std::chrono::milliseconds timeout) const {
    QElapsedTimer timer;
    timer.start();
    while (!log().contains(text)) {
        if (timer.elapsed() > timeout.count()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
    return true;
}

}  // namespace quillane::testing
