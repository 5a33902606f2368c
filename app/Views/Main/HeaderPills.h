#pragma once
#include <QColor>
#include <QPointer>
#include <QWidget>

namespace quillane {

class AppModel;
class StyledButton;
class TextLine;
class UpdatePopover;

// A pill of the header that follows the model: its controls on a capsule with a stroke around it.
class CapsulePill : public QWidget {
    Q_OBJECT
protected:
    CapsulePill(AppModel& model, const QColor& fill, const QColor& border, QWidget* parent);
    void paintEvent(QPaintEvent* event) override;

    AppModel& model_;

private:
    QColor fill_;
    QColor border_;
};

// The shoot-day stepper: ‹ DAY 03 ›, disabled while a transfer runs.
class ShootDayPill : public CapsulePill {
    Q_OBJECT
public:
    explicit ShootDayPill(AppModel& model, QWidget* parent = nullptr);
    void refresh();

private:
    StyledButton* minus_;
    StyledButton* plus_;
    TextLine* word_;
    TextLine* value_;
};

// NL | EN: the current language accent-filled.
class LanguageToggle : public CapsulePill {
    Q_OBJECT
public:
    explicit LanguageToggle(AppModel& model, QWidget* parent = nullptr);
    void refresh();

private:
    std::vector<StyledButton*> segments_;
};

// DEMO MODE with a stop button (a spinner while the demo comes or goes).
class DemoBadge : public CapsulePill {
    Q_OBJECT
public:
    explicit DemoBadge(AppModel& model, QWidget* parent = nullptr);
    void refresh();

private:
    TextLine* title_;
    StyledButton* stop_;
    QWidget* spinner_;
};

// The round arrow that offers a newer version and opens its details.
class UpdatePill : public QWidget {
    Q_OBJECT
public:
    explicit UpdatePill(AppModel& model, QWidget* parent = nullptr);
    void refresh();

private:
    AppModel& model_;
    StyledButton* button_;
    QPointer<UpdatePopover> popover_;
};

}  // namespace quillane
