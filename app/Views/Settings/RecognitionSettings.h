#pragma once
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "Detection/DriveRole.h"
#include "Settings/AppSettings.h"
#include "Views/Kit/KeyedRows.h"
#include "Views/Settings/SettingsForm.h"

class QLabel;
class QVBoxLayout;

namespace quillane {

class AppModel;

// One remembered drive as the recognition tab lists it.
struct LearnedDriveRow {
    std::string uuid;
    std::string name;
    DriveRole role;
};

// The learned drives ordered by name, compared as plain Unicode text (upper case before lower case;
// no localized collation).
std::vector<LearnedDriveRow> learnedDriveRows(const std::map<std::string, LearnedDrive>& learned);
// "sdcard", "externaldrive" or "eye.slash".
QString roleSymbol(DriveRole role);

// The recognition tab: what the recognition looks at, the remembered drives with a Forget button
// each, and the camera families it knows. The list follows the settings at once.
class RecognitionSettings : public SettingsPage {
    Q_OBJECT
public:
    explicit RecognitionSettings(AppModel& model, QWidget* parent = nullptr);

private:
    void refresh();

    AppModel& model_;
    QLabel* empty_;
    QWidget* list_;
    std::optional<KeyedRows<QWidget>> rows_;
};

}  // namespace quillane
