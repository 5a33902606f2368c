#pragma once
#include <QDialog>

#include "Model/AlertMessage.h"

namespace quillane {

class AppModel;

// The model's alert over the main window: title, message, and the action with Cancel, or OK.
// Either button closes it through the model, which clears the alert before it runs the action.
class MainAlert : public QDialog {
    Q_OBJECT
public:
    MainAlert(AppModel& model, const AlertMessage& alert, QWidget* parent = nullptr);
    const UUID& alertID() const { return id_; }

public slots:
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void close(bool runAction);

    AppModel& model_;
    UUID id_;
    bool hasAction_ = false;
    bool closed_ = false;
};

}  // namespace quillane
