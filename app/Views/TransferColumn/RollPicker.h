#pragma once
#include <QWidget>

#include <vector>

#include "Views/TransferColumn/RollPickerLook.h"

class QHBoxLayout;
class QMenu;

namespace quillane {

class AppModel;
class TextLabel;
class StyledButton;
class SymbolView;
class TapeLabel;

// The planned folder path of the next card's roll folder, with the roll folder's name on a strip
// of tape and the roll menu behind the chevron and the tape's context menu.
class RollPicker : public QWidget {
    Q_OBJECT
public:
    explicit RollPicker(AppModel& model, QWidget* parent = nullptr);
    void refresh();
    const RollPickerLook& content() const { return content_; }

    // The roll menu, built in the current language; it deletes itself when closed.
    QMenu* makeRollMenu();
    // The folder names give way to any width the column has (see fitFolders).
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void popUpMenu(const QPoint& globalPosition);
    // Cuts the folder names to the row's width (see elidedLevels).
    void fitFolders();

    AppModel& model_;
    QHBoxLayout* row_;
    std::vector<TextLabel*> folders_;
    std::vector<SymbolView*> chevrons_;
    TapeLabel* tape_;
    StyledButton* menuButton_;
    RollPickerLook content_;
    bool refreshed_ = false;
};

}  // namespace quillane
