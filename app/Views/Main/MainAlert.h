#pragma once
#include "Model/AlertMessage.h"
#include "Views/Main/AlertBox.h"

namespace quillane {

class AppModel;

// The model's alert over the main window: title, message, and the action with Cancel, or OK.
// Either button closes it through the model, which clears the alert before it runs the action.
class MainAlert : public AlertBox {
    Q_OBJECT
public:
    MainAlert(AppModel& model, const AlertMessage& alert, QWidget* parent = nullptr);
    const UUID& alertID() const { return id_; }

private:
    AppModel& model_;
    UUID id_;
};

}  // namespace quillane
