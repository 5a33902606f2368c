#pragma once
#include <QString>

#include <string>
#include <vector>

#include "Views/Kit/PaintedButton.h"

class QMenu;

namespace quillane {

// The history sheet's title when the history holds several projects: the shown project's name
// with a chevron; pressing it lists every project to pick another.
class ProjectMenuButton : public PaintedButton {
    Q_OBJECT
public:
    explicit ProjectMenuButton(QWidget* parent = nullptr);
    void setProjects(std::vector<std::string> projects, const std::string& current);
    const std::vector<std::string>& projects() const { return projects_; }
    QMenu* menu() const { return menu_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void picked(const std::string& project);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<std::string> projects_;
    QString current_;
    QMenu* menu_;
};

}  // namespace quillane
