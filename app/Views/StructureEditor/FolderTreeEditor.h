#pragma once
#include <QWidget>

#include <functional>

#include "Views/Kit/KeyedRows.h"
#include "Views/StructureEditor/FolderExamples.h"
#include "Views/StructureEditor/TreeRowLook.h"

class QVBoxLayout;

namespace quillane {

class ObservableDraft;

// The editable picture of a folder structure: the drive, the folders as an indented tree, and the
// places where camera and sound rolls go. Rows are kept by key, so a name field keeps its focus and
// cursor while each keystroke renames the folder. Folders move by drag and drop onto another folder
// or onto the drive.
class FolderTreeEditor : public QWidget {
    Q_OBJECT
public:
    // `examples` gives the current sample values (project, date format, shoot day) at each refresh.
    FolderTreeEditor(ObservableDraft& draft, std::function<FolderExamples()> examples, QWidget* parent = nullptr);

    // Reads the draft and the sample values again.
    void refresh();

    QWidget* row(const QString& key) const { return rows_.row(key); }
    QStringList rowKeys() const { return rows_.keys(); }
    const DropMark& dropMark() const { return mark_; }
    // A drag event on the drive row or a folder row (the rows' event filter; tests call it directly,
    // as Qt routes drag events only during a real drag). True when handled.
    bool handleDrag(QObject* row, QEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* makeRow(const TreeRowLook& row);
    void updateRow(QWidget* widget, const TreeRowLook& row, const FolderExamples& examples);

    ObservableDraft& draft_;
    std::function<FolderExamples()> examples_;
    QVBoxLayout* column_;
    KeyedRows<QWidget> rows_;
    DropMark mark_;
};

}  // namespace quillane
