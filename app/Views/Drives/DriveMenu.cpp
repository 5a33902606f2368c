#include "Views/Drives/DriveMenu.h"

#include <QMenu>
#include <QPainter>

#include "Model/AppModel.h"
#include "Views/Drives/DriveCardLook.h"
#include "Views/Kit/Symbols.h"
#include "Views/Kit/Theme.h"

namespace quillane {

DriveMenu::DriveMenu(AppModel& model, const DriveState& drive, QWidget* parent)
    : PaintedButton(parent), model_(model), drive_(drive) {
    setObjectName(QStringLiteral("driveMenuButton"));
    setFixedSize(sizeHint());
    connect(this, &QAbstractButton::clicked, this, &DriveMenu::openMenu);
}

void DriveMenu::setDrive(const DriveState& drive) { drive_ = drive; }

QMenu* DriveMenu::buildMenu(QWidget* parent) const {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("driveMenu"));
    AppModel* model = &model_;
    const DriveState drive = drive_;  // actions act on the drive as it was when the menu opened
    const QIcon check(Symbols::pixmap(QStringLiteral("checkmark"), 14, Theme::text(), QFont::DemiBold, 2.0));
    for (const DriveMenuEntry& entry : driveMenuEntries(drive, model->role(drive), model->transferState())) {
        using Kind = DriveMenuEntry::Kind;
        QAction* action = nullptr;
        switch (entry.kind) {
        case Kind::heading:
            // A section title the style draws as plain greyed text (Fusion draws sections as bare rules).
            menu->addAction(entry.title)->setEnabled(false);
            continue;
        case Kind::separator: menu->addSeparator(); continue;
        case Kind::role: {
            const DriveRole role = *entry.role;
            action = menu->addAction(entry.title, menu, [model, role, drive] { model->setRole(role, drive); });
            action->setObjectName(QStringLiteral("role-") + QString::fromStdString(DriveRoles::id(role)));
            if (entry.checked) action->setIcon(check);
            action->setProperty("current", entry.checked);
            break;
        }
        case Kind::baseFolder:
            action = menu->addAction(entry.title, menu, [model, drive] { model->chooseDestinationBase(drive); });
            action->setObjectName(QStringLiteral("baseFolder"));
            break;
        case Kind::reveal:
            action = menu->addAction(entry.title, menu, [model, drive] { model->showInFileManager(drive.info.url); });
            action->setObjectName(QStringLiteral("reveal"));
            break;
        case Kind::eject:
            action = menu->addAction(entry.title, menu, [model, drive] { model->eject(drive); });
            action->setObjectName(QStringLiteral("eject"));
            break;
        }
        action->setEnabled(entry.enabled);
    }
    return menu;
}

void DriveMenu::openMenu() {
    QMenu* menu = buildMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(mapToGlobal(QPoint(0, height())));
}

void DriveMenu::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Symbols::paint(painter, QRectF(rect()), QStringLiteral("ellipsis"), Theme::secondary(), QFont::DemiBold);
}

}  // namespace quillane
