#pragma once
#include <QPoint>
#include <QWidget>

#include "Support/UUID.h"

class QLineEdit;
class QMenu;

namespace quillane {

class Capsule;
class MenuButton;
class ObservableDraft;
class SymbolView;
class TextLabel;

// One folder of the tree editor: its name field (or the chip of the variable that names it), the
// card and sound badges, the subfolder menu and the ••• menu. Every change goes to the draft; the
// row reads the draft again when the editor refreshes it. A row can be dragged by its id.
class FolderRow : public QWidget {
    Q_OBJECT
public:
    FolderRow(ObservableDraft& draft, const UUID& folder, QWidget* parent = nullptr);

    const UUID& folder() const { return folder_; }
    void refresh(int depth, const QString& example, bool dropTarget);

    QLineEdit* nameField() const { return nameField_; }
    MenuButton* subfolderMenu() const { return subfolderMenu_; }
    MenuButton* moreMenu() const { return moreMenu_; }
    bool isHovering() const { return hovering_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void applyLook();
    void fillMoreMenu(QMenu& menu);

    ObservableDraft& draft_;
    UUID folder_;
    int depth_ = 1;
    QString example_;
    bool dropTarget_ = false;
    bool hovering_ = false;
    bool fieldShown_ = false;
    QPoint pressAt_;

    SymbolView* icon_;
    QLineEdit* nameField_;
    Capsule* chip_;
    TextLabel* chipCaption_;
    Capsule* cardBadge_;
    Capsule* soundBadge_;
    MenuButton* subfolderMenu_;
    MenuButton* moreMenu_;
};

}  // namespace quillane
