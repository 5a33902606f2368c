#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QIcon>

#include "App/ApplicationIdentity.h"

using namespace quillane;

namespace {
// A key of the installed desktop entry's main group, as a desktop reads it.
QString entryValue(const QString& path, const QString& key) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(key + '=')) return line.mid(key.size() + 1);
    }
    return {};
}
}  // namespace

TEST(ApplicationIdentity, TheWindowsCarryTheInstalledEntrysIdentity) {
    const QString entry = QStringLiteral(QUILLANE_DESKTOP_ENTRY);
    ASSERT_TRUE(QFileInfo::exists(entry));
    ApplicationIdentity::apply();
    // Wayland matches the app id, X11 the window class (Qt's is the application name) with the entry.
    EXPECT_EQ(QGuiApplication::desktopFileName() + ".desktop", QFileInfo(entry).fileName());
    EXPECT_EQ(QGuiApplication::applicationName(), entryValue(entry, "StartupWMClass"));
    EXPECT_EQ(QGuiApplication::desktopFileName(), entryValue(entry, "Icon"));
    const QIcon icon = QApplication::windowIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_TRUE(icon.availableSizes().contains(QSize(48, 48)));
}
