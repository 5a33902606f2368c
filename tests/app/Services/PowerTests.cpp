#include <gtest/gtest.h>

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusVariant>

#include "Platform/LogindPower.h"
#include "Waiting.h"
#include "support/app/PrivateBus.h"

using namespace quillane;
using namespace quillane::testing;

namespace {

struct Inhibitor {
    QString what, who, why, mode;
};

// The locks the logind stand-in holds now.
std::vector<Inhibitor> inhibitors(const PrivateBus& bus) {
    const QDBusMessage list = QDBusMessage::createMethodCall("org.freedesktop.login1", "/org/freedesktop/login1",
                                                             "org.freedesktop.login1.Manager", "ListInhibitors");
    const QDBusMessage reply = bus.connection().call(list);
    std::vector<Inhibitor> found;
    if (reply.arguments().isEmpty()) return found;
    const QDBusArgument array = reply.arguments().first().value<QDBusArgument>();
    array.beginArray();
    while (!array.atEnd()) {
        Inhibitor inhibitor;
        uint uid = 0, pid = 0;
        array.beginStructure();
        array >> inhibitor.what >> inhibitor.who >> inhibitor.why >> inhibitor.mode >> uid >> pid;
        array.endStructure();
        found.push_back(inhibitor);
    }
    array.endArray();
    return found;
}

int held(const PrivateBus& bus, const QString& what, const QString& mode) {
    int count = 0;
    for (const Inhibitor& inhibitor : inhibitors(bus))
        if (inhibitor.what == what && inhibitor.mode == mode && inhibitor.who == "Quillane") ++count;
    return count;
}

void prepareForSleep(const PrivateBus& bus, bool sleeping) {
    QDBusMessage message = QDBusMessage::createMethodCall("org.freedesktop.login1", "/org/freedesktop/login1",
                                                       "org.freedesktop.DBus.Mock", "EmitSignal");
    message << QString("org.freedesktop.login1.Manager") << QString("PrepareForSleep") << QString("b")
         << QVariantList{QVariant::fromValue(QDBusVariant(sleeping))};
    bus.connection().call(message);
}

}  // namespace

TEST(LogindPower, PausesBeforeSleepUnderADelayLockAndHoldsIdleSleepOff) {
    PrivateBus bus;
    if (!bus.available()) GTEST_SKIP() << bus.reason().toStdString();
    if (!bus.startMock("org.freedesktop.login1", {"-t", "logind"})) GTEST_SKIP() << bus.reason().toStdString();
    LogindPower power(bus.connection());
    std::vector<std::string> events;
    int delayLocksDuringSleep = -1;
    power.start([&] {
        events.push_back("will sleep");
        delayLocksDuringSleep = power.holdsDelayLock() ? 1 : 0;
    }, [&] { events.push_back("did wake"); });
    // Sleep comes only once this side holds the lock, not merely once logind handed it out.
    ASSERT_TRUE(waitUntil([&] { return power.holdsDelayLock(); }));
    ASSERT_EQ(held(bus, "sleep", "delay"), 1);

    prepareForSleep(bus, true);
    ASSERT_TRUE(waitUntil([&] { return events.size() == 1; }));
    EXPECT_EQ(delayLocksDuringSleep, 1) << "the system waits while the transfer pauses";
    EXPECT_TRUE(waitUntil([&] { return held(bus, "sleep", "delay") == 0; })) << "then it may sleep";
    prepareForSleep(bus, false);
    ASSERT_TRUE(waitUntil([&] { return events.size() == 2; }));
    EXPECT_EQ(events, (std::vector<std::string>{"will sleep", "did wake"}));
    EXPECT_TRUE(waitUntil([&] { return held(bus, "sleep", "delay") == 1; })) << "the next sleep waits again";

    auto hold = power.holdAwake("Transferring A001");
    ASSERT_TRUE(waitUntil([&] { return held(bus, "sleep:idle", "block") == 1; }));
    EXPECT_EQ(inhibitors(bus).back().why, "Transferring A001");
    hold.reset();
    EXPECT_TRUE(waitUntil([&] { return held(bus, "sleep:idle", "block") == 0; }));

    // A hold dropped before logind answered leaves no lock behind: once logind has handed out the
    // lock, the dropped hold closes it.
    power.holdAwake("Short");
    ASSERT_TRUE(bus.waitForLog("Short", std::chrono::seconds(30))) << bus.log().toStdString();
    EXPECT_TRUE(waitUntil([&] { return held(bus, "sleep:idle", "block") == 0; }));
}

TEST(LogindPower, ALockGrantedOnceSleepIsUnderWayIsReleasedAtOnce) {
    PrivateBus bus;
    if (!bus.available()) GTEST_SKIP() << bus.reason().toStdString();
    // logind announces the sleep before it answers the request for the delay lock.
    if (!bus.startMock("org.freedesktop.login1", {"-t", QUILLANE_SERVICES_TESTS "/logind_stand_in.py", "-p",
                                                  R"({"SleepBeforeDelayLock": true})"}))
        GTEST_SKIP() << bus.reason().toStdString();
    LogindPower power(bus.connection());
    int slept = 0, woke = 0;
    power.start([&] { ++slept; }, [&] { ++woke; });
    ASSERT_TRUE(waitUntil([&] { return slept == 1; }));
    EXPECT_TRUE(waitUntil([&] { return held(bus, "sleep", "delay") == 0; })) << "the system need not wait for us";
    EXPECT_FALSE(power.holdsDelayLock());

    prepareForSleep(bus, false);
    ASSERT_TRUE(waitUntil([&] { return woke == 1; }));
    EXPECT_TRUE(waitUntil([&] { return power.holdsDelayLock(); })) << "the next sleep waits again";
    EXPECT_EQ(held(bus, "sleep", "delay"), 1);
}

TEST(LogindPower, WithoutLogindNothingHappens) {
    LogindPower power(QDBusConnection("quillane-no-such-bus"));
    bool called = false;
    power.start([&] { called = true; }, [&] { called = true; });
    EXPECT_TRUE(power.holdAwake("Transfer") != nullptr);
    EXPECT_FALSE(power.holdsDelayLock());
    EXPECT_FALSE(called);
}
