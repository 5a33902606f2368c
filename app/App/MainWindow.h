#pragma once
#include <QMainWindow>
#include <QPointer>

#include "Model/ModelField.h"
#include "Support/Lang.h"

class QAction;
class QMenu;

namespace quillane {

class AppModel;
class MainView;

// The main window: the main view (rebuilt when the interface language changes), the menu bar with
// its one set of actions, the settings window it opens, and the quit guard: quitting asks only
// while a transfer runs, and never waits on a nested event loop.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(AppModel& model, QWidget* parent = nullptr);
    ~MainWindow() override;

    MainView* mainView() const { return view_; }
    // Opens the settings window, or brings the open one forward.
    void openSettings();
    QWidget* settingsWindow() const { return settings_; }

    // The actions by name, for the tests: "settings", "quit", "changeProject", "createFolders",
    // "startTransfer", "demo", "history", "findClip", "about", "checkUpdates".
    QAction* action(const QString& name) const;
    // The Ctrl+Return command: resumes a paused transfer, else does what TRANSFER does.
    void primaryCommand();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void retranslate();
    void refreshActions();
    void modelChanged(ModelFields fields);
    void rebuildView();
    void askBeforeQuitting();

    AppModel& model_;
    MainView* view_ = nullptr;
    AppLanguage language_;
    QPointer<QWidget> settings_;
    QMenu* file_ = nullptr;
    QMenu* transfer_ = nullptr;
    QMenu* help_ = nullptr;
    bool quitConfirmed_ = false;
    QPointer<QWidget> quitQuestion_;
};

}  // namespace quillane
