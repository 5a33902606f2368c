#pragma once
#include <QWidget>

#include "Views/StructureEditor/TreeRowLook.h"

namespace quillane {

class Capsule;
class MenuButton;
class ObservableDraft;

// The drive at the top of the tree: "SSD", the card badge while no folder holds the cards, and the
// menu that adds top-level folders. Tinted while a folder is dragged over it.
class DriveRow : public QWidget {
public:
    DriveRow(ObservableDraft& draft, QWidget* parent = nullptr);
    void refresh(bool cardsHere, bool dropTarget);
    MenuButton* addMenu() const { return addMenu_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Capsule* cardBadge_;
    MenuButton* addMenu_;
    bool dropTarget_ = false;
};

// Where the roll folders of camera cards (A001, A002 …) or of sound cards (S001 …) will be made.
class PlaceRow : public QWidget {
public:
    PlaceRow(TreeRowLook::Kind kind, QWidget* parent = nullptr);
    void refresh(int depth);
};

}  // namespace quillane
