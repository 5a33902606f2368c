#include "Views/History/ProjectMenuButton.h"

#include <QFontMetricsF>
#include <QMenu>
#include <QPainter>

#include <cmath>

#include "Views/Kit/Fonts.h"
#include "Views/Kit/Symbols.h"
#include "Views/Kit/Theme.h"

namespace quillane {
namespace {

constexpr double chevronGap = 6;

QFont titleFont() { return Fonts::expanded(Fonts::text(19, QFont::ExtraBold)); }
double chevronSide() { return Symbols::side(11); }

}  // namespace

ProjectMenuButton::ProjectMenuButton(QWidget* parent) : PaintedButton(parent), menu_(new QMenu(this)) {
    setObjectName("projectMenu");
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(this, &QAbstractButton::clicked, this, [this] { menu_->popup(mapToGlobal(QPoint(0, height()))); });
}

void ProjectMenuButton::setProjects(std::vector<std::string> projects, const std::string& current) {
    const QString shown = QString::fromStdString(current);
    if (projects == projects_ && shown == current_) return;
    projects_ = std::move(projects);
    current_ = shown;
    setAccessibleName(current_);
    menu_->clear();
    for (const auto& project : projects_) {
        // An ampersand in a project name is text, not a keyboard mnemonic.
        QAction* action = menu_->addAction(QString::fromStdString(project).replace('&', QStringLiteral("&&")));
        connect(action, &QAction::triggered, this, [this, project] { emit picked(project); });
    }
    updateGeometry();
    update();
}

QSize ProjectMenuButton::sizeHint() const {
    const QFontMetricsF metrics(titleFont());
    return QSize(static_cast<int>(std::ceil(metrics.horizontalAdvance(current_) + chevronGap + chevronSide())),
                 static_cast<int>(std::ceil(metrics.height())));
}

QSize ProjectMenuButton::minimumSizeHint() const {
    return QSize(static_cast<int>(std::ceil(chevronSide() * 4)), sizeHint().height());
}

void ProjectMenuButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(titleFont());
    const double side = chevronSide();
    const double room = std::max(0.0, width() - chevronGap - side);
    const QString name = metrics.elidedText(current_, Qt::ElideRight, room);
    const double nameWidth = metrics.horizontalAdvance(name);
    painter.setFont(titleFont());
    painter.setPen(isDown() ? Theme::secondary() : Theme::text());
    painter.drawText(QRectF(0, 0, nameWidth + 1, height()), Qt::AlignLeft | Qt::AlignVCenter, name);
    Symbols::paint(painter, QRectF(nameWidth + chevronGap, (height() - side) / 2, side, side), "chevron.down",
                   Theme::secondary(), QFont::DemiBold);
}

}  // namespace quillane
