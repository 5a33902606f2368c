#pragma once
#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>

#include "Settings/AppSettings.h"
#include "Views/Kit/KeyedRows.h"
#include "Views/StructureEditor/ChoiceCard.h"

class QHBoxLayout;
class QLabel;

namespace quillane {

class AppModel;
class FolderTreeEditor;
class ObservableDraft;
class StyledButton;
class Picker;
class Toggle;

// What the structure tab reads and writes of the application: the settings (written at once, the
// application saves and reacts), and the project and shoot day for the editor's sample names.
struct StructureSettingsBinding {
    std::function<AppSettings()> settings;
    std::function<void(const std::function<void(AppSettings&)>&)> changeSettings;
    std::function<std::string()> projectName;
    std::function<std::int64_t()> shootDay;
};

// The folder-structure tab of the settings window: the built-in structures and the custom one as
// cards, the folder tree of the current structure, shoot-day folders, and under "More options" the
// default camera letter and the date in folder names. There is no save step: every change goes
// into the settings at once.
class StructureSettings : public QWidget {
    Q_OBJECT
public:
    explicit StructureSettings(StructureSettingsBinding binding, QWidget* parent = nullptr);
    // Over the application model: follows its settings, project and shoot day.
    explicit StructureSettings(AppModel& model, QWidget* parent = nullptr);

    // Reads the settings, project and shoot day again (the host calls it when they change).
    void refresh();
    // Writes a structure into the settings and rebuilds the tree from it.
    void apply(const FolderTemplate& structure);

    const ObservableDraft& draft() const { return *draft_; }
    FolderTreeEditor* editor() const { return editor_; }
    ChoiceCard* card(const QString& key) const { return cards_.row(key); }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Side by side where they fit whole, else one under the other.
    void placeCards();
    void reload();
    QWidget* makeHeader();
    QWidget* makeShootDayBox();
    QWidget* makeMoreOptions();

    StructureSettingsBinding binding_;
    ObservableDraft* draft_;
    QHBoxLayout* cardRow_ = nullptr;
    KeyedRows<ChoiceCard> cards_{nullptr};
    QWidget* shootDayBox_ = nullptr;
    Toggle* shootDaySwitch_ = nullptr;
    FolderTreeEditor* editor_ = nullptr;
    StyledButton* moreButton_ = nullptr;
    QWidget* moreContent_ = nullptr;
    Picker* letterPicker_ = nullptr;
    Picker* datePicker_ = nullptr;
};

}  // namespace quillane
