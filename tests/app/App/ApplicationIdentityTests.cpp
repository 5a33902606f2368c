#include <gtest/gtest.h>

#include <QApplication>
#include <QFileInfo>

#include "App/ApplicationIdentity.h"

using namespace quillane;

TEST(ApplicationIdentity, TheWaylandAppIdIsTheInstalledEntrysId) {
    // On X11 the window's class and icon are what a dock matches (checked on Xvfb by the packaging tests);
    // on Wayland it is the app id, the desktop file name, which must name the installed entry.
    const QString entry = QStringLiteral(QUILLANE_DESKTOP_ENTRY);
    ASSERT_TRUE(QFileInfo::exists(entry));
    ApplicationIdentity::apply();
    EXPECT_EQ(QGuiApplication::desktopFileName() + ".desktop", QFileInfo(entry).fileName());
}
