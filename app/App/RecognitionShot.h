#pragma once
#include <QWidget>

namespace quillane {

class AppModel;

// The recognition screenshot: every source card and every SSD as the drive cards show them, side
// by side, with the sound cards that go along.
class RecognitionShot : public QWidget {
    Q_OBJECT
public:
    explicit RecognitionShot(AppModel& model, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace quillane
