#include "Platform/FileManagerDesktop.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QUrl>

#include "Support/HTTPClient.h"

namespace quillane {

FileManagerDesktop::FileManagerDesktop(QDBusConnection bus, QObject* parent) : QObject(parent), bus_(std::move(bus)) {}

void FileManagerDesktop::openFolder(const std::filesystem::path& folder) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(folder.string())));
}

void FileManagerDesktop::reveal(const std::filesystem::path& item) {
    const std::filesystem::path parent = item.parent_path();
    if (!bus_.isConnected()) {
        openFolder(parent);
        return;
    }
    QDBusMessage show = QDBusMessage::createMethodCall("org.freedesktop.FileManager1", "/org/freedesktop/FileManager1",
                                                       "org.freedesktop.FileManager1", "ShowItems");
    show << QStringList{QUrl::fromLocalFile(QString::fromStdString(item.string())).toString(QUrl::FullyEncoded)}
         << QString();
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(show, 10000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, parent] {
        watcher->deleteLater();
        if (watcher->isError()) openFolder(parent);
    });
}

bool FileManagerDesktop::openFile(const std::filesystem::path& file) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file.string())));
}

void FileManagerDesktop::openWebPage(const std::string& url) {
    if (!HTTPClient::isWebURL(url)) return;
    QDesktopServices::openUrl(QUrl(QString::fromStdString(url), QUrl::StrictMode));
}

}  // namespace quillane
