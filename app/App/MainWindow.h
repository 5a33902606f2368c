#pragma once
#include <QMainWindow>
#include <QPointer>

#include "App/QtTranslations.h"
#include "Model/ModelField.h"
#include "Support/Lang.h"
#include "Views/Main/WindowNavigation.h"

class QAction;
class QMenu;

namespace quillane {

class AppModel;
class MainView;
class SettingsView;

// The main window: the main view (rebuilt when the interface language changes), its navigation (kept
// across those rebuilds), the menu bar with its one set of actions, the settings window it opens,
// and the quit guard: quitting asks only while a transfer runs, and never waits on a nested event loop.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(AppModel& model, QWidget* parent = nullptr);
    ~MainWindow() override;

    MainView* mainView() const { return view_; }
    WindowNavigation& navigation() { return navigation_; }
    // Opens the settings window, or brings the open one forward; on the given tab, else on the one it shows.
    void openSettings(std::optional<SettingsTab> tab = std::nullopt);
    QWidget* settingsWindow() const;

    // The actions by name, for the tests: "settings", "quit", "changeProject", "createFolders",
    // "startTransfer", "demo", "history", "findClip", "about", "checkUpdates".
    QAction* action(const QString& name) const;

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
    WindowNavigation navigation_;
    MainView* view_ = nullptr;
    AppLanguage language_;
    QtTranslations qtTexts_;
    QPointer<SettingsView> settings_;
    QMenu* file_ = nullptr;
    QMenu* transfer_ = nullptr;
    QMenu* help_ = nullptr;
    bool quitConfirmed_ = false;
    QPointer<QWidget> quitQuestion_;
};

}  // namespace quillane
