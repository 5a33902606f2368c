#pragma once
#include <QWidget>

#include <map>

#include "Views/TransferColumn/ActionAreaLook.h"

namespace quillane {

class AppModel;
class TextLabel;
class TextLine;
class StyledButton;

// The main buttons of the transfer column: TRANSFER with its status line, Pause and Stop with the
// current file, Resume and Stop, or the buttons that close a finished transfer.
class ActionArea : public QWidget {
    Q_OBJECT
public:
    explicit ActionArea(AppModel& model, QWidget* parent = nullptr);
    void refresh();
    StyledButton* button(ActionButton which) const { return buttons_.at(which); }
    const ActionAreaLook& content() const { return content_; }

private:
    void run(ActionButton which);

    AppModel& model_;
    std::map<ActionButton, StyledButton*> buttons_;
    TextLine* status_;
    QWidget* detail_;
    TextLabel* currentFile_;
    TextLabel* count_;
    ActionAreaLook content_;
    bool refreshed_ = false;
};

}  // namespace quillane
