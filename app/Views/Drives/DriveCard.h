#pragma once
#include <QIcon>
#include <QPointer>
#include <QWidget>

#include "Model/DriveState.h"
#include "Views/Kit/FocusRing.h"

class QHBoxLayout;
class QVBoxLayout;

namespace quillane {

class AppModel;
class CapacityBar;
class DriveMenu;
class RecognitionChip;
class TextLabel;

// The bundled picture of a drive kind (never the desktop's icon theme).
QIcon driveIcon(DriveIcon icon);

// One mounted volume as a rounded card: icon, name with the ••• menu, a one-line description, the
// capacity bar, the free space and the recognition chip. Two slots: `leading` (before the icon, e.g. the
// destination's include switch) and `footer` (below the main row, e.g. the planned folder tree); the
// card owns what is put there. A click anywhere on the card (not on the chip or the menu) emits clicked(),
// as do Space, Return and Enter once Tab has brought the focus to it.
class DriveCard : public QWidget {
    Q_OBJECT
public:
    DriveCard(AppModel& model, const DriveState& drive, QWidget* parent = nullptr);

    void setDrive(const DriveState& drive);
    const DriveState& drive() const { return drive_; }
    void setSelected(bool selected);
    bool isSelected() const { return selected_; }
    void setDimmed(bool dimmed);
    bool isDimmed() const { return dimmed_; }
    // Replaces the slot's widget (nullptr empties it); the old one is deleted.
    void setLeading(QWidget* widget);
    void setFooter(QWidget* widget);
    QWidget* leading() const { return leading_; }
    QWidget* footer() const { return footer_; }
    // Reads the model again (role, language).
    void refresh();

    RecognitionChip* chip() const { return chip_; }
    DriveMenu* menu() const { return menu_; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    AppModel& model_;
    DriveState drive_;
    bool selected_ = false;
    bool dimmed_ = false;
    bool pressed_ = false;
    QHBoxLayout* mainRow_;
    QVBoxLayout* stack_;
    QPointer<QWidget> leading_;
    QPointer<QWidget> footer_;
    class IconView* icon_;
    TextLabel* name_;
    TextLabel* subtitle_;
    CapacityBar* bar_;
    TextLabel* free_;
    DriveMenu* menu_;
    RecognitionChip* chip_;
    FocusRing ring_{*this};
};

}  // namespace quillane
