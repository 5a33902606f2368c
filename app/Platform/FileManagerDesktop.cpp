#include "Platform/FileManagerDesktop.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

#include "Support/HTTPClient.h"

namespace quillane {

FileManagerDesktop::FileManagerDesktop(QDBusConnection bus, QObject* parent) : QObject(parent), bus_(std::move(bus)) {}

void FileManagerDesktop::openFolder(const std::filesystem::path& folder, NotShown notShown) {
    // The opener runs beside the window; its exit says whether a program took the folder. A file
    // manager it started stays open when the application ends, even if the opener waits for it.
    auto* opener = new QProcess(this);
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    const auto answered = [opener, folder, notShown = std::move(notShown)](bool shown) {
        opener->deleteLater();
        if (!shown && notShown) notShown(folder);
    };
    connect(opener, &QProcess::finished, this, [answered](int exitCode, QProcess::ExitStatus status) {
        answered(status == QProcess::NormalExit && exitCode == 0);
    });
    connect(opener, &QProcess::errorOccurred, this, [answered](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) answered(false);
    });
    opener->start(QStringLiteral("xdg-open"),
                  {QUrl::fromLocalFile(QString::fromStdString(folder.string())).toString(QUrl::FullyEncoded)});
}

void FileManagerDesktop::reveal(const std::filesystem::path& item, NotShown notShown) {
    const std::filesystem::path parent = item.parent_path();
    if (!bus_.isConnected()) {
        openFolder(parent, std::move(notShown));
        return;
    }
    QDBusMessage show = QDBusMessage::createMethodCall("org.freedesktop.FileManager1", "/org/freedesktop/FileManager1",
                                                       "org.freedesktop.FileManager1", "ShowItems");
    show << QStringList{QUrl::fromLocalFile(QString::fromStdString(item.string())).toString(QUrl::FullyEncoded)}
         << QString();
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(show, 10000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, parent, notShown = std::move(notShown)] {
        watcher->deleteLater();
        if (watcher->isError()) openFolder(parent, notShown);
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
