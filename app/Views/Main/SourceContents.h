#pragma once
#include <QWidget>

#include "Model/ModelField.h"
#include "Views/Kit/KeyedRows.h"

class QVBoxLayout;

namespace quillane {

class AppModel;
class StyledButton;
class TextLine;

// What is on the selected card: whole card or one folder, the scan line, the sound cards that go
// along, and whether this card was transferred before.
class SourceContents : public QWidget {
    Q_OBJECT
public:
    explicit SourceContents(AppModel& model, QWidget* parent = nullptr);
    void refresh(ModelFields fields);
    static ModelFields reads();

private:
    AppModel& model_;
    QWidget* choices_;
    StyledButton* root_;
    StyledButton* folder_;
    QWidget* spinner_;
    TextLine* scanLine_;
    QVBoxLayout* soundLines_;
    KeyedRows<TextLine> sounds_;
    TextLine* previous_;
};

}  // namespace quillane
