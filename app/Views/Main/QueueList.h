#pragma once
#include <QWidget>

#include "Views/Kit/KeyedRows.h"
#include "Views/Main/SourceContentsLook.h"

class QVBoxLayout;

namespace quillane {

class AppModel;
class StyledButton;
class TapeLabel;
class TextLine;

// One waiting card: its place, name, → roll, size and a remove button.
class QueueRowView : public QWidget {
    Q_OBJECT
public:
    explicit QueueRowView(QWidget* parent = nullptr);
    void display(const QueueRow& row);

signals:
    void removeRequested();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TextLine* number_;
    TextLine* name_;
    TapeLabel* roll_;
    TextLine* size_;
    StyledButton* remove_;
};

// The cards that follow the running one, in queue order.
class QueueList : public QWidget {
    Q_OBJECT
public:
    explicit QueueList(AppModel& model, QWidget* parent = nullptr);
    void refresh();

private:
    AppModel& model_;
    QVBoxLayout* rowsLayout_;
    KeyedRows<QueueRowView> rows_;
    TextLine* note_;
};

}  // namespace quillane
