#include "Views/History/ProjectOverview.h"

#include <QLabel>
#include <QVBoxLayout>

#include "Support/Lang.h"
#include "Views/History/BackupBanner.h"
#include "Views/History/DriveTile.h"
#include "Views/History/ProjectOverviewLook.h"
#include "Views/History/RollList.h"
#include "Views/Kit/FlowLayout.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/SectionLabel.h"
#include "Views/Kit/TextLabel.h"
#include "Views/Kit/Theme.h"

namespace quillane {
namespace {

// A section: its label, then its content, 10 apart.
QWidget* section(const ProjectOverviewLook::SectionTitle& title, QWidget* content, QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    column->addWidget(
        new SectionLabel(QString::fromStdString(title.title), QString::fromStdString(title.trailing), box));
    content->setParent(box);
    column->addWidget(content);
    return box;
}

}  // namespace

ProjectOverview::ProjectOverview(Connected connected, QWidget* parent)
    : QWidget(parent), connected_(std::move(connected)), layout_(new QVBoxLayout(this)) {
    setObjectName("projectOverview");
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(22);
}

void ProjectOverview::clear() {
    tiles_.clear();
    drives_.clear();
    while (QLayoutItem* item = layout_->takeAt(0)) {
        if (QWidget* widget = item->widget()) delete widget;
        delete item;
    }
}

void ProjectOverview::setCatalog(const ProjectCatalog& catalog) {
    setUpdatesEnabled(false);
    clear();
    if (catalog.rolls.empty()) {
        auto* empty = wrappingLabel(QString::fromStdString(ProjectOverviewLook::emptyText()), Fonts::text(13),
                                    Theme::secondary(), Qt::AlignCenter, this);
        empty->setObjectName("overviewEmpty");
        empty->setMinimumHeight(200);
        layout_->addWidget(empty);
        setUpdatesEnabled(true);
        return;
    }

    layout_->addWidget(new BackupBanner(ProjectOverviewLook::banner(catalog), this));

    auto* tiles = new QWidget;
    auto* flow = new FlowLayout(tiles, 8, 8, false);
    drives_ = catalog.drives;
    for (const auto& drive : drives_) {
        auto* tile = new DriveTile(ProjectOverviewLook::driveTile(drive, connected_(drive)), tiles);
        flow->addWidget(tile);
        tiles_.push_back(tile);
    }
    layout_->addWidget(section(ProjectOverviewLook::drivesTitle(catalog), tiles, this));

    const ReportDates::Formatter times(ReportDates::Formatter::Style::shortTime, Lang::current);
    for (const auto& day : catalog.days()) {
        std::vector<ProjectOverviewLook::RollRow> rows;
        rows.reserve(day.rolls.size());
        for (const auto& roll : day.rolls) rows.push_back(ProjectOverviewLook::rollRow(roll, times));
        layout_->addWidget(section(ProjectOverviewLook::dayTitle(day), new RollList(std::move(rows)), this));
    }
    setUpdatesEnabled(true);
}

void ProjectOverview::refreshConnections() {
    for (std::size_t i = 0; i < tiles_.size(); ++i)
        tiles_[i]->setLook(ProjectOverviewLook::driveTile(drives_[i], connected_(drives_[i])));
}

}  // namespace quillane
