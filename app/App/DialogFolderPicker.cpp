#include "App/DialogFolderPicker.h"

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>
#include <QWidget>

namespace quillane {

namespace {
// The folder list's columns: name, size, type, date modified.
constexpr int dateColumn = 3;

// The window the chooser belongs to: the active one, else the main window.
QWidget* ownerWindow() {
    if (QWidget* active = QApplication::activeWindow()) return active;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == QLatin1String("mainWindow") && top->isVisible()) return top;
    return nullptr;
}
}  // namespace

void DialogFolderPicker::pick(const FolderPickRequest& request, Done done) {
    auto* dialog = new QFileDialog(ownerWindow(), QString::fromStdString(request.message),
                                   QString::fromStdString(request.startFolder.string()));
    dialog->setObjectName(QStringLiteral("folderPicker"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly, true);
    // Read-only hides the button that makes a new folder.
    dialog->setOption(QFileDialog::ReadOnly, !request.canCreateFolders);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    if (!request.prompt.empty()) dialog->setLabelText(QFileDialog::Accept, QString::fromStdString(request.prompt));
    dialog->setWindowModality(Qt::WindowModal);
    // Room for every column of the folder list; Qt sizes the date column for a shorter date than
    // this computer writes, so it takes the width of its dates.
    dialog->resize(880, 560);
    if (auto* folders = dialog->findChild<QTreeView*>(QStringLiteral("treeView")))
        folders->header()->setSectionResizeMode(dateColumn, QHeaderView::ResizeToContents);
    QObject::connect(dialog, &QDialog::finished, dialog, [dialog, done = std::move(done)](int result) {
        if (!done) return;
        const QStringList chosen = dialog->selectedFiles();
        if (result == QDialog::Accepted && !chosen.isEmpty()) done(std::filesystem::path(chosen.front().toStdString()));
        else done(std::nullopt);
    });
    dialog->open();
}

}  // namespace quillane
