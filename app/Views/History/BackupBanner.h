#pragma once
#include <QWidget>

#include "Views/History/ProjectOverviewLook.h"

namespace quillane {

// The overview's banner: whether every card of the project is on two drives, and what to do
// about the ones that are not.
class BackupBanner : public QWidget {
    Q_OBJECT
public:
    explicit BackupBanner(const ProjectOverviewLook::Banner& look, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool safe_;
};

}  // namespace quillane
