#pragma once
#include <QWidget>

class QScrollArea;
class QVBoxLayout;

namespace quillane {

class AppModel;
class SectionLabel;

// What the source and destination columns share: a fixed width, the section title on top, and
// the scroll area whose stack the drive cards are laid into.
class DriveColumn : public QWidget {
    Q_OBJECT
protected:
    // `name` starts the object names: "<name>Column" and "<name>Scroll". The scroll area is made
    // here; the column places it.
    DriveColumn(AppModel& model, const QString& name, int width, QWidget* parent);

    AppModel& model_;
    QVBoxLayout* column_;
    SectionLabel* title_;
    QScrollArea* scroll_;
    QVBoxLayout* cardsLayout_;
};

}  // namespace quillane
