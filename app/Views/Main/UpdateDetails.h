#pragma once
#include <QFrame>
#include <QWidget>

#include "Updates/ReleaseInfo.h"

namespace quillane {

class AppModel;
class TextLine;

// What a newer release brings: its version, the running one, the notes, how to install it, a
// warning while a transfer runs, and Later / Download. 340 wide.
class UpdateDetails : public QWidget {
    Q_OBJECT
public:
    UpdateDetails(AppModel& model, ReleaseInfo update, QWidget* parent = nullptr);
    void refresh();

private:
    AppModel& model_;
    ReleaseInfo update_;
    TextLine* title_;
    TextLine* using_;
    TextLine* notes_;
    TextLine* hint_;
    TextLine* warning_;
};

// The notes in the interface's language, else the other language's.
std::optional<std::string> localizedNotes(const ReleaseInfo& release);

// UpdateDetails in a popup under the update pill; closing it in any way writes showUpdate back.
class UpdatePopover : public QFrame {
    Q_OBJECT
public:
    UpdatePopover(AppModel& model, const ReleaseInfo& update, QWidget* parent);
    void showBelow(QWidget* anchor);
    void refresh();

protected:
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    AppModel& model_;
    UpdateDetails* details_;
};

}  // namespace quillane
