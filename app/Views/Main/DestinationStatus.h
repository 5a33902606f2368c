#pragma once
#include <QWidget>
#include <filesystem>

#include "Model/DestinationPlan.h"
#include "Views/Kit/PaintedButton.h"
#include "Views/Main/DestinationStatusLook.h"

namespace quillane {

class AppModel;
class CapacityBar;
class StatusDot;
class StyledButton;
class TextLine;

// Under one included SSD's folder tree: its progress, its outcome, or the space the card needs.
class DestinationStatus : public QWidget {
    Q_OBJECT
public:
    explicit DestinationStatus(AppModel& model, QWidget* parent = nullptr);
    void display(const DestinationPlan& plan);
    DestinationStatusLine::Kind kind() const { return kind_; }

private:
    AppModel& model_;
    DestinationStatusLine::Kind kind_ = DestinationStatusLine::Kind::nothing;
    std::filesystem::path folder_;
    QWidget* progress_;
    CapacityBar* bar_;
    TextLine* progressText_;
    QWidget* result_;
    TextLine* resultText_;
    StyledButton* showFolder_;
    QWidget* space_;
    StatusDot* dot_;
    TextLine* spaceText_;
    TextLine* contentWarning_;
};

// "Create folders 4" / "Folders ready ✓" at the bottom of the destination column.
class CreateFoldersButton : public PaintedButton {
    Q_OBJECT
public:
    explicit CreateFoldersButton(QWidget* parent = nullptr);
    void display(const CreateFoldersLabel& label);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CreateFoldersLabel label_;
};

}  // namespace quillane
