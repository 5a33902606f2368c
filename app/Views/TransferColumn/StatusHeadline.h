#pragma once
#include <QWidget>

#include "Views/TransferColumn/StatusHeadlineLook.h"

namespace quillane {

class AppModel;

// The large one- or two-line headline of the transfer column: the card's size, the percentage
// with phase, rate and time left, or the outcome in a word. Always 64 high; painted, so a
// progress tick only repaints it.
class StatusHeadline : public QWidget {
    Q_OBJECT
public:
    explicit StatusHeadline(AppModel& model, QWidget* parent = nullptr);

    void refresh();
    const StatusHeadlineLook& content() const { return content_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont firstFont() const;

    AppModel& model_;
    StatusHeadlineLook content_;
};

}  // namespace quillane
