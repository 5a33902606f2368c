#pragma once
#include <QWidget>

#include "Views/History/ProjectOverviewLook.h"

namespace quillane {

// One drive of the project: its name with a dot that says whether it is connected now, and how
// many of the project's cards it holds.
class DriveTile : public QWidget {
    Q_OBJECT
public:
    explicit DriveTile(ProjectOverviewLook::DriveTile look, QWidget* parent = nullptr);
    void setLook(ProjectOverviewLook::DriveTile look);
    const ProjectOverviewLook::DriveTile& look() const { return look_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    QRectF dotRect() const;
    QString shownLabel() const;

    ProjectOverviewLook::DriveTile look_;
};

}  // namespace quillane
