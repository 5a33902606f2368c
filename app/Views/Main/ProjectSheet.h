#pragma once
#include <QDialog>

class QVBoxLayout;

namespace quillane {

class AppModel;
class StyledButton;
class TextLine;
class NameField;

// "Which project are you transferring?": a name field, up to five recent projects, Cancel and
// Start. Without a project it can only be closed by choosing one.
class ProjectSheet : public QDialog {
    Q_OBJECT
public:
    explicit ProjectSheet(AppModel& model, QWidget* parent = nullptr);
    // Hands the typed name to the model and closes; does nothing for a blank name.
    void start();

public slots:
    void reject() override;

protected:
    // Tab visits the controls in reading order.
    bool focusNextPrevChild(bool next) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void refresh();
    bool dismissable() const;

    AppModel& model_;
    NameField* field_;
    QWidget* recentSection_;
    QVBoxLayout* recentRows_;
    StyledButton* cancel_;
    StyledButton* start_;
};

}  // namespace quillane
