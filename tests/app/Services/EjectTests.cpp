#include <gtest/gtest.h>

#include <QJsonDocument>

#include "Platform/UDisksEjector.h"
#include "Support/Lang.h"
#include "Waiting.h"
#include "support/Scopes.h"
#include "support/TempDir.h"
#include "support/app/PrivateBus.h"

using namespace quillane;
using namespace quillane::testing;

namespace {

const char* udisks = R"({
  "drives": [
    {"name": "card", "ejectable": true, "canPowerOff": true},
    {"name": "busy", "ejectable": true},
    {"name": "ssd", "ejectable": false, "canPowerOff": true},
    {"name": "slot1", "ejectable": false, "canPowerOff": true, "sibling": "reader"},
    {"name": "slot2", "ejectable": false, "canPowerOff": true, "sibling": "reader"},
    {"name": "locked", "ejectable": true}
  ],
  "filesystems": [
    {"name": "card1", "drive": "card", "mountPoint": "/media/crew/A001"},
    {"name": "card2", "drive": "card", "mountPoint": "/media/crew/A001-META"},
    {"name": "busy1", "drive": "busy", "mountPoint": "/media/crew/B001",
     "unmountError": ["org.freedesktop.UDisks2.Error.DeviceBusy", "target is busy"]},
    {"name": "ssd1", "drive": "ssd", "mountPoint": "/media/crew/SHOOT_SSD"},
    {"name": "slot1p1", "drive": "slot1", "mountPoint": "/media/crew/C001"},
    {"name": "slot2p1", "drive": "slot2", "mountPoint": "/media/crew/S001"},
    {"name": "locked1", "drive": "locked", "mountPoint": "/media/crew/D001",
     "unmountError": ["org.freedesktop.UDisks2.Error.NotAuthorizedCanObtain", "Not authorized"]}
  ]
})";

// The ejector's answer: no value for success, else the refusal; waits for it.
std::optional<std::string> ejectAndWait(UDisksEjector& ejector, const std::filesystem::path& mountPoint) {
    bool answered = false;
    std::optional<std::string> refusal;
    ejector.eject(mountPoint, [&](std::optional<std::string> error) {
        answered = true;
        refusal = std::move(error);
    });
    EXPECT_TRUE(waitUntil([&] { return answered; }, 10000)) << mountPoint;
    return refusal;
}

}  // namespace

TEST(UDisksEjector, UnmountsEveryFileSystemThenEjectsOrPowersOff) {
    LanguageScope language(AppLanguage::en);
    PrivateBus bus;
    if (!bus.available()) GTEST_SKIP() << bus.reason().toStdString();
    if (!bus.startScript("org.freedesktop.UDisks2", QUILLANE_SERVICES_TESTS "/udisks2_stand_in.py", {udisks}))
        GTEST_SKIP() << bus.reason().toStdString();
    UDisksEjector ejector(bus.connection());
    TempDir unmanaged;

    struct Case {
        std::filesystem::path mountPoint;
        std::optional<std::string> refusal;
        std::vector<QString> logged, notLogged;
    };
    const QString root = "/org/freedesktop/UDisks2/";
    const Case cases[] = {
        {"/media/crew/A001/", std::nullopt,
         {"Unmount " + root + "block_devices/card1", "Unmount " + root + "block_devices/card2",
          "Eject " + root + "drives/card"}, {"PowerOff " + root + "drives/card"}},
        {"/media/crew/B001", "The drive is still in use: a program has a file open on it.",
         {"Unmount " + root + "block_devices/busy1"}, {"Eject " + root + "drives/busy"}},
        {"/media/crew/SHOOT_SSD", std::nullopt, {"PowerOff " + root + "drives/ssd"}, {}},
        // The other slot of the reader is still mounted: unmount only, the reader keeps power.
        {"/media/crew/C001", std::nullopt, {"Unmount " + root + "block_devices/slot1p1"},
         {"PowerOff " + root + "drives/slot1", "Unmount " + root + "block_devices/slot2p1"}},
        {"/media/crew/D001", "You are not allowed to eject this drive.", {}, {"Eject " + root + "drives/locked"}},
        {unmanaged.path(), "The system doesn't manage this drive, so it can't be ejected here.", {}, {}},
        {"/media/crew/gone-meanwhile", std::nullopt, {}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ejectAndWait(ejector, c.mountPoint), c.refusal) << c.mountPoint;
        const QString log = bus.log();
        for (const QString& line : c.logged) EXPECT_TRUE(log.contains(line + "\n")) << line.toStdString();
        for (const QString& line : c.notLogged) EXPECT_FALSE(log.contains(line + "\n")) << line.toStdString();
    }
}

TEST(UDisksEjector, SaysEjectingIsNotAvailableWithoutUDisks) {
    LanguageScope language(AppLanguage::en);
    const std::string unavailable = "Ejecting is not available on this computer.";
    UDisksEjector noBus(QDBusConnection("quillane-no-such-bus"));
    EXPECT_EQ(ejectAndWait(noBus, "/media/crew/A001"), unavailable);

    PrivateBus bus;
    if (!bus.available()) GTEST_SKIP() << bus.reason().toStdString();
    UDisksEjector noService(bus.connection());
    EXPECT_EQ(ejectAndWait(noService, "/media/crew/A001"), unavailable);
}
