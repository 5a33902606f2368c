#pragma once
#include <QWidget>

#include "Model/DriveState.h"
#include "Views/Kit/KeyedRows.h"
#include "Views/Kit/PaintedButton.h"

class QVBoxLayout;

namespace quillane {

class AppModel;
class DriveMenu;
class TextLine;

// "› Other drives 3": the collapsible header.
class OtherDrivesHeader : public PaintedButton {
    Q_OBJECT
    Q_PROPERTY(qreal turn READ turn WRITE setTurn)
public:
    explicit OtherDrivesHeader(QWidget* parent = nullptr);
    void setCount(int count);
    qreal turn() const { return turn_; }
    void setTurn(qreal degrees);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int count_ = 0;
    qreal turn_ = 0;
};

// One drive that is neither card nor SSD, with its menu to give it a role.
class OtherDriveRow : public QWidget {
    Q_OBJECT
public:
    OtherDriveRow(AppModel& model, const DriveState& drive, QWidget* parent = nullptr);
    void setDrive(const DriveState& drive);

private:
    QWidget* icon_;
    TextLine* name_;
    TextLine* reason_;
    DriveMenu* menu_;
};

// The drives that are neither source nor destination, at the bottom of the source column; closed
// at first, and it stays as the user left it across refreshes.
class OtherDrives : public QWidget {
    Q_OBJECT
public:
    explicit OtherDrives(AppModel& model, QWidget* parent = nullptr);
    void refresh();
    bool expanded() const { return expanded_; }
    void setExpanded(bool expanded);

private:
    AppModel& model_;
    OtherDrivesHeader* header_;
    QWidget* list_;
    QVBoxLayout* rowsLayout_;
    KeyedRows<OtherDriveRow> rows_;
    bool expanded_ = false;
};

}  // namespace quillane
