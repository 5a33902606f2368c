#pragma once
#include <QFrame>
#include <QPointer>

#include <optional>

#include "Model/DriveState.h"
#include "Views/Kit/KeyedRows.h"
#include "Views/Kit/PaintedButton.h"

class QLabel;

namespace quillane {

class AppModel;
class Spinner;
class TextLabel;

// The recognition details: a popup (closes on an outside click) explaining a drive's role: the
// verdict with its confidence, the classifier's reasons and the hint that the menu changes the role.
class RecognitionDetails : public QFrame {
    Q_OBJECT
public:
    RecognitionDetails(AppModel& model, const DriveState& drive, QWidget* parent = nullptr);
    // The drive as the card holds it now (a finished probe adds the percentage and new reasons).
    void setDrive(const DriveState& drive);

signals:
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    AppModel& model_;
    QLabel* verdict_;
    std::optional<KeyedRows<QWidget>> reasonRows_;  // one row per reason, keyed by its text
};

// The small capsule at the end of a drive card's capacity row: "Analyzing" with a spinner while the
// probe runs, else the confidence label in the confidence's colour. A click opens the details.
class RecognitionChip : public PaintedButton {
    Q_OBJECT
public:
    RecognitionChip(AppModel& model, const DriveState& drive, QWidget* parent = nullptr);

    void setDrive(const DriveState& drive);
    bool detailsShown() const { return details_ != nullptr && details_->isVisible(); }
    RecognitionDetails* details() const { return details_; }
    void showDetails();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void detailsShownChanged(bool shown);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void toggleDetails();

    AppModel& model_;
    DriveState drive_;
    Spinner* spinner_;
    QPointer<RecognitionDetails> details_;
};

}  // namespace quillane
