#pragma once
#include "Model/DriveState.h"
#include "Views/Kit/PaintedButton.h"

class QMenu;

namespace quillane {

class AppModel;

// The "•••" button of a drive: a menu to give the drive another role (check mark at the current
// one), choose the base folder on a destination, show it in the file manager and eject it.
class DriveMenu : public PaintedButton {
    Q_OBJECT
public:
    DriveMenu(AppModel& model, const DriveState& drive, QWidget* parent = nullptr);

    void setDrive(const DriveState& drive);
    const DriveState& drive() const { return drive_; }

    // The menu as it is when opened now (the role is read once, here). The caller owns it.
    QMenu* buildMenu(QWidget* parent = nullptr) const;

    QSize sizeHint() const override { return {22, 18}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void openMenu();

    AppModel& model_;
    DriveState drive_;
};

}  // namespace quillane
