#pragma once
#include <QDialog>
#include <QPointer>
#include <QWidget>

#include "Model/ModelField.h"

namespace quillane {

class AppModel;
class DestinationColumn;
class HeaderBar;
class MainAlert;
class SourceColumn;

// The main window's content: the header over the source, transfer and destination columns. It
// is also the one place that shows the project, folder and history sheets and the alert, each
// opened and closed by a model field: one sheet at a time (project, then folder, then history),
// the alert over whichever is on top. A sheet the user closes writes its field back; one the
// model closes does not.
class MainView : public QWidget {
    Q_OBJECT
public:
    enum class Sheet { none, project, folder, history };

    explicit MainView(AppModel& model, QWidget* parent = nullptr);
    ~MainView() override;

    Sheet sheetShown() const { return sheetKind_; }
    QDialog* sheet() const { return sheet_; }
    MainAlert* alertShown() const;

signals:
    // The settings window was asked for (header button, or the structure button with its tab).
    void settingsRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void modelChanged(ModelFields fields);
    void presentSheet();
    void presentAlert();
    Sheet wantedSheet() const;
    void closeSheetForModel();
    void sheetFinished(QDialog* sheet, Sheet kind);

    AppModel& model_;
    HeaderBar* header_;
    SourceColumn* source_;
    QWidget* middle_;
    DestinationColumn* destination_;
    QPointer<QDialog> sheet_;
    Sheet sheetKind_ = Sheet::none;
    bool closingForModel_ = false;
    QPointer<MainAlert> alert_;
};

}  // namespace quillane
