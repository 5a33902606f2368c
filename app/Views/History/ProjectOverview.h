#pragma once
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

#include "Settings/ProjectCatalog.h"

class QVBoxLayout;

namespace quillane {

class DriveTile;

// Which card of a project lies verified on which drive, and whether every card is on two:
// the banner, the project's drives and the cards of each shoot day. Read only.
class ProjectOverview : public QWidget {
    Q_OBJECT
public:
    // Whether a drive of the project is connected now.
    using Connected = std::function<bool(const ProjectCatalog::Drive&)>;

    ProjectOverview(Connected connected, QWidget* parent = nullptr);

    // Builds the overview of a catalog anew.
    void setCatalog(const ProjectCatalog& catalog);
    // Asks every drive tile again whether its drive is connected.
    void refreshConnections();

private:
    void clear();

    Connected connected_;
    QVBoxLayout* layout_;
    std::vector<ProjectCatalog::Drive> drives_;
    std::vector<DriveTile*> tiles_;
};

}  // namespace quillane
