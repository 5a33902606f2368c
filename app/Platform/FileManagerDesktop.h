#pragma once
#include <QDBusConnection>
#include <QObject>

#include "Model/Seams/Desktop.h"

namespace quillane {

// The desktop's file manager and browser: a folder opens with the desktop's opener, `xdg-open`, run
// here so that its answer is known (it exits non-zero when no program shows folders); one item is
// revealed through org.freedesktop.FileManager1.ShowItems, and its folder opened when no file manager
// answers; a web page opens in the browser (http and https only); a local file with the desktop's
// program for its type.
class FileManagerDesktop final : public QObject, public Desktop {
    Q_OBJECT
public:
    explicit FileManagerDesktop(QDBusConnection bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);
    void openFolder(const std::filesystem::path& folder, NotShown notShown) override;
    void reveal(const std::filesystem::path& item, NotShown notShown) override;
    void openWebPage(const std::string& url) override;
    bool openFile(const std::filesystem::path& file) override;

private:
    QDBusConnection bus_;
};

}  // namespace quillane
