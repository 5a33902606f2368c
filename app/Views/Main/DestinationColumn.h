#pragma once
#include <QWidget>

#include "Model/DriveState.h"
#include "Model/ModelField.h"
#include "Views/Kit/KeyedRows.h"
#include "Views/Main/DriveColumn.h"


namespace quillane {

class AppModel;
class CheckBox;
class CreateFoldersButton;
class DestinationStatus;
class DriveCard;
class EmptyZone;
class FolderTree;
class StyledButton;

// One SSD: its drive card with the include switch, and while included its planned folder tree and
// status line.
class DestinationCard : public QWidget {
    Q_OBJECT
public:
    DestinationCard(AppModel& model, const DriveState& drive, QWidget* parent = nullptr);
    void display(const DriveState& drive);
    // Only the status line: what the progress tick changes.
    void refreshStatus();
    CheckBox* includeSwitch() const { return include_; }

private:
    AppModel& model_;
    DriveState drive_;
    DriveCard* card_;
    CheckBox* include_;
    QWidget* footer_;
    FolderTree* tree_;
    DestinationStatus* status_;
};

// The right column: every SSD, the structure button and the create-folders button.
class DestinationColumn : public DriveColumn {
    Q_OBJECT
public:
    static constexpr int columnWidth = 370;
    explicit DestinationColumn(AppModel& model, QWidget* parent = nullptr);
    void refresh(ModelFields fields);
    static ModelFields reads();

signals:
    // The folder structure tab of the settings window was asked for.
    void structureRequested();

private:
    EmptyZone* empty_;
    KeyedRows<DestinationCard> cards_;
    StyledButton* editStructure_;
    CreateFoldersButton* createFolders_;
};

}  // namespace quillane
