#pragma once
#include <QWidget>

#include "Model/ModelField.h"

namespace quillane {

class ActionArea;
class AppModel;
class DestinationBars;
class RecentTransfers;
class RollPicker;
class StatusHeadline;

// The middle column of the main window: where the next card lands, what the transfer is doing,
// one bar per destination, the main buttons and the project's recent cards. Follows the model on
// its own; each part refreshes in place when a field it reads changed.
class TransferColumn : public QWidget {
    Q_OBJECT
public:
    explicit TransferColumn(AppModel& model, QWidget* parent = nullptr);

    RollPicker* rollPicker() const { return rollPicker_; }
    StatusHeadline* headline() const { return headline_; }
    DestinationBars* bars() const { return bars_; }
    ActionArea* actions() const { return actions_; }
    RecentTransfers* recent() const { return recent_; }

    void refresh(ModelFields fields);

signals:
    // The recent transfers' overview button.
    void historyRequested();

private:
    AppModel& model_;
    RollPicker* rollPicker_;
    StatusHeadline* headline_;
    DestinationBars* bars_;
    ActionArea* actions_;
    RecentTransfers* recent_;
};

}  // namespace quillane
