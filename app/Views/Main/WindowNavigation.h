#pragma once
#include <optional>

#include <QObject>

#include "Views/Settings/SettingsTab.h"

namespace quillane {

// Where the main window is, apart from what the model decides: whether the history sheet is
// open (and whether it opened for a clip search, which puts the focus in its search field), the
// settings window asked for on a tab, and whether the window is staged for a product screenshot.
// The window owns it, so the content it builds anew for another language finds it as it was.
class WindowNavigation final : public QObject {
    Q_OBJECT
public:
    enum class History { closed, overview, clipSearch };

    using QObject::QObject;

    History history() const { return history_; }
    // The history command and the overview buttons: the sheet opens; an open one stays as it is.
    void showHistory();
    // The find-a-clip command and the header's search button: the sheet with its search field focused.
    void findClip();
    void closeHistory();

    // The settings window, on the given tab, or on the tab it shows.
    void openSettings(std::optional<SettingsTab> tab = std::nullopt) { emit settingsRequested(tab); }

    // Staged for a product screenshot, the header hides the demo badge and the update pill.
    bool stagedForScreenshot() const { return staged_; }
    void setStagedForScreenshot(bool staged);

signals:
    void historyChanged();
    void settingsRequested(std::optional<quillane::SettingsTab> tab);
    void stagingChanged();

private:
    void setHistory(History history);

    History history_ = History::closed;
    bool staged_ = false;
};

}  // namespace quillane
