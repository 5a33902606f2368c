#pragma once
#include <QPointer>
#include <QWidget>
#include <string>

#include "Support/Lang.h"
#include "Views/Settings/SettingsTab.h"

class QHBoxLayout;
class QVBoxLayout;

namespace quillane {

class AppModel;
class SidebarItem;

// The settings window: a 220 px sidebar with the tabs and the version, and the chosen tab beside it,
// built anew on every tab switch (which folds "Advanced" and forgets a test result) and on a language
// switch (which also returns to the first tab).
class SettingsView : public QWidget {
    Q_OBJECT
public:
    // `pushServer`: the phone push relay (tests give a local server).
    SettingsView(AppModel& model, QWidget* parent = nullptr, std::string pushServer = {});

    SettingsTab tab() const { return tab_; }
    void selectTab(SettingsTab tab);
    // The current tab's content.
    QWidget* tabContent() const { return content_; }
    // Shows the window, or brings it forward when it is already open.
    void openWindow();

protected:
    // Tab visits the controls in reading order.
    bool focusNextPrevChild(bool next) override;

private:
    void build();
    void buildTab();

    AppModel& model_;
    std::string pushServer_;
    SettingsTab tab_ = SettingsTab::structure;
    AppLanguage builtLanguage_;
    QHBoxLayout* frame_ = nullptr;
    QWidget* sidebar_ = nullptr;
    QPointer<QWidget> content_;
    std::vector<SidebarItem*> items_;
};

}  // namespace quillane
