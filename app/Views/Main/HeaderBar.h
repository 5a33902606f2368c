#pragma once
#include <QWidget>

#include "Model/ModelField.h"
#include "Views/Kit/PaintedButton.h"

namespace quillane {

class AppModel;
class DemoBadge;
class LanguageToggle;
class ShootDayPill;
class StyledButton;
class UpdatePill;

// The capsule in the middle of the header: PROJECT, the project's name (or "Choose project"), ▾.
class ProjectPicker : public PaintedButton {
    Q_OBJECT
public:
    explicit ProjectPicker(QWidget* parent = nullptr);
    void setProject(const QString& text, const QColor& color);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    QColor color_;
};

// The 52-high bar over the columns: the product on the left, the project picker in the middle
// with the shoot day and the demo badge, the demo button, language, update and tools on the right.
class HeaderBar : public QWidget {
    Q_OBJECT
public:
    explicit HeaderBar(AppModel& model, QWidget* parent = nullptr);
    void refresh(ModelFields fields);
    // The fields the bar reads.
    static ModelFields reads();

    // Staged for a product screenshot: no demo badge and no update pill.
    void setStagedForScreenshot(bool staged);

signals:
    void settingsRequested();
    void historyRequested();
    void clipSearchRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeCentre();

    AppModel& model_;
    bool staged_ = false;
    StyledButton* demoButton_;
    LanguageToggle* language_;
    UpdatePill* update_;
    StyledButton* search_;
    StyledButton* overview_;
    StyledButton* settings_;
    QWidget* centre_;
    ProjectPicker* picker_;
    ShootDayPill* shootDay_;
    DemoBadge* demoBadge_;
};

}  // namespace quillane
