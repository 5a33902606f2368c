#pragma once
#include <QWidget>

#include "Views/Kit/KeyedRows.h"
#include "Views/TransferColumn/RecentTransferLook.h"

class QVBoxLayout;

namespace quillane {

class AppModel;
class CopiesBadge;
class TextLabel;
class HDivider;
class SectionLabel;
class StyledButton;
class TapeLabel;

// One recently transferred roll: tape, card name, size and copies badge, with a hairline under it.
class RecentTransferView : public QWidget {
    Q_OBJECT
public:
    explicit RecentTransferView(QWidget* parent = nullptr);
    void setRow(const RecentTransferLook& row);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Puts the size beside the card name, or under it when the name would not fit whole.
    void placeSize();

    TapeLabel* tape_;
    TextLabel* name_;
    TextLabel* size_;
    TextLabel* sizeUnder_;
    CopiesBadge* badge_;
    HDivider* divider_;
};

// The project's five most recently transferred rolls, with a way into the overview.
class RecentTransfers : public QWidget {
    Q_OBJECT
public:
    explicit RecentTransfers(AppModel& model, QWidget* parent = nullptr);
    void refresh();
    const std::vector<RecentTransferLook>& rows() const { return rows_; }

signals:
    // The overview button: the history sheet was asked for.
    void historyRequested();

private:
    AppModel& model_;
    SectionLabel* title_;
    StyledButton* overview_;
    QWidget* card_;
    QVBoxLayout* cardLayout_;
    KeyedRows<RecentTransferView> views_;
    std::vector<RecentTransferLook> rows_;
};

}  // namespace quillane
