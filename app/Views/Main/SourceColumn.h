#pragma once
#include <QWidget>

#include "Model/DriveState.h"
#include "Model/ModelField.h"
#include "Views/Kit/KeyedRows.h"
#include "Views/Main/DriveColumn.h"
#include "Views/Kit/Tone.h"

namespace quillane {

class AppModel;
class DriveCard;
class EmptyZone;
class OtherDrives;
class QueueList;
class SourceContents;
class StyledButton;
class TextLine;

// A source's drive card with its badge (running, queue n, goes along) over the top-right corner.
class SourceCard : public QWidget {
    Q_OBJECT
public:
    SourceCard(AppModel& model, const DriveState& drive, QWidget* parent = nullptr);
    void display(const DriveState& drive, bool selected, const std::optional<Tag>& badge);
    DriveCard* card() const { return card_; }

signals:
    void clicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeBadge();
    DriveCard* card_;
    TextLine* badge_;
};

// The demo mode's way in, in the empty column: a button, a spinner while it sets up, else nothing.
class DemoButton : public QWidget {
    Q_OBJECT
public:
    explicit DemoButton(AppModel& model, QWidget* parent = nullptr);
    void refresh();

private:
    AppModel& model_;
    StyledButton* button_;
    QWidget* settingUp_;
    TextLine* settingUpText_;
};

// The left column: the cards, what is on the selected one, the queue, and the other drives.
class SourceColumn : public DriveColumn {
    Q_OBJECT
public:
    static constexpr int columnWidth = 330;
    explicit SourceColumn(AppModel& model, QWidget* parent = nullptr);
    void refresh(ModelFields fields);
    static ModelFields reads();

private:
    KeyedRows<SourceCard> cards_;
    SourceContents* contents_;
    StyledButton* enqueue_;
    QueueList* queue_;
    QWidget* empty_;
    EmptyZone* emptyZone_;
    DemoButton* demo_;
    OtherDrives* others_;
};

}  // namespace quillane
