#pragma once
#include <QPointer>
#include <QWidget>

namespace quillane {

class AppModel;
class StyledButton;
class TextLine;
class UpdatePopover;

// The shoot-day stepper: ‹ DAY 03 ›, disabled while a transfer runs.
class ShootDayPill : public QWidget {
    Q_OBJECT
public:
    explicit ShootDayPill(AppModel& model, QWidget* parent = nullptr);
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    AppModel& model_;
    StyledButton* minus_;
    StyledButton* plus_;
    TextLine* word_;
    TextLine* value_;
};

// NL | EN: the current language accent-filled.
class LanguageToggle : public QWidget {
    Q_OBJECT
public:
    explicit LanguageToggle(AppModel& model, QWidget* parent = nullptr);
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    AppModel& model_;
    std::vector<StyledButton*> segments_;
};

// DEMO MODE with a stop button (a spinner while the demo comes or goes).
class DemoBadge : public QWidget {
    Q_OBJECT
public:
    explicit DemoBadge(AppModel& model, QWidget* parent = nullptr);
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    AppModel& model_;
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
