#pragma once
#include <QWidget>

#include "Model/DestinationPlan.h"
#include "Model/DriveState.h"
#include "Views/Kit/KeyedRows.h"

class QVBoxLayout;

namespace quillane {

class TextLine;

// One planned folder: icon, name, ← card at the target, "new" for a folder still to create.
class FolderRowView : public QWidget {
    Q_OBJECT
public:
    explicit FolderRowView(QWidget* parent = nullptr);
    void display(const FolderNode& node);

private:
    TextLine* icon_;
    TextLine* name_;
    TextLine* arrow_;
    TextLine* card_;
    TextLine* badge_;
};

// Where on one SSD the card goes: the folders from the base folder down to the roll folder.
class FolderTree : public QWidget {
    Q_OBJECT
public:
    explicit FolderTree(QWidget* parent = nullptr);
    void display(const DestinationPlan& plan, const DriveState& drive);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TextLine* base_;
    QVBoxLayout* rowsLayout_;
    KeyedRows<FolderRowView> rows_;
    TextLine* extra_;
};

}  // namespace quillane
