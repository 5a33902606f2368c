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
class TransferColumn;
class WindowNavigation;

// The main window's content: the header over the source, transfer and destination columns. It
// is also the one place that shows the project, folder and history sheets and the alert: the
// project and folder sheets and the alert as the model asks, the history sheet as the window's
// navigation does; one sheet at a time (project, then folder, then history), the alert over
// whichever is on top. A sheet the user closes writes its field back; one closed for the model or
// the navigation does not. The buttons that ask for history or settings go to the navigation.
class MainView : public QWidget {
    Q_OBJECT
public:
    enum class Sheet { none, project, folder, history };

    MainView(AppModel& model, WindowNavigation& navigation, QWidget* parent = nullptr);
    ~MainView() override;

    Sheet sheetShown() const { return sheetKind_; }
    QDialog* sheet() const { return sheet_; }
    MainAlert* alertShown() const;

protected:
    // Tab visits the controls in reading order.
    bool focusNextPrevChild(bool next) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void modelChanged(ModelFields fields);
    void presentSheet();
    void presentAlert();
    Sheet wantedSheet() const;
    void closeSheetForModel();
    void historyChanged();
    void sheetFinished(QDialog* sheet, Sheet kind);

    AppModel& model_;
    WindowNavigation& navigation_;
    HeaderBar* header_;
    SourceColumn* source_;
    TransferColumn* middle_;
    DestinationColumn* destination_;
    QPointer<QDialog> sheet_;
    Sheet sheetKind_ = Sheet::none;
    bool closingForModel_ = false;
    QPointer<MainAlert> alert_;
};

}  // namespace quillane
