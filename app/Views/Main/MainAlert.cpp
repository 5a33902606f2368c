#include "Views/Main/MainAlert.h"

#include "Model/AppModel.h"
#include "Views/Main/SheetLook.h"

namespace quillane {

MainAlert::MainAlert(AppModel& model, const AlertMessage& alert, QWidget* parent)
    : AlertBox(QString::fromStdString(alert.title), QString::fromStdString(alert.message), parent), model_(model),
      id_(alert.id) {
    setObjectName(QStringLiteral("mainAlert"));
    const AlertButtons buttons = alertButtons(alert.actionTitle, static_cast<bool>(alert.action));
    StyledButton* dismiss = addButton(buttons.closeTitle, !buttons.hasAction, "alertClose");
    setEscapeButton(dismiss);
    StyledButton* action = buttons.hasAction ? addButton(buttons.actionTitle, true, "alertAction") : nullptr;
    // The model clears the alert (only when it is still this one) before the action runs, so an
    // alert the action raises stays.
    connect(this, &AlertBox::chosen, this,
            [this, action](StyledButton* button) { model_.closeAlert(id_, action && button == action); });
}

}  // namespace quillane
