#include "Views/Main/MainView.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include "Model/AppModel.h"
#include "Views/Kit/DialogFocus.h"
#include "Views/Kit/Dividers.h"
#include "Views/Kit/FocusOrder.h"
#include "Views/Kit/Theme.h"
#include "Views/Main/DestinationColumn.h"
#include "Views/Main/FolderSheet.h"
#include "Views/Main/HeaderBar.h"
#include "Views/Main/MainAlert.h"
#include "Views/Main/ProjectSheet.h"
#include "Views/Main/SourceColumn.h"
#include "Views/Main/WindowNavigation.h"

#include "Views/History/HistoryView.h"
#include "Views/TransferColumn/TransferColumn.h"

namespace quillane {

namespace {
// The history sheet: the history view in a window-modal dialog; Close and Escape close the sheet.
QDialog* historySheet(AppModel& model, bool focusSearch, QWidget* parent) {
    auto* dialog = new QDialog(parent);
    dialog->setObjectName(QStringLiteral("historySheet"));
    dialog->setWindowModality(Qt::WindowModal);
    new DialogFocus(*dialog);
    auto* layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* view = new HistoryView(model, {}, dialog);
    if (focusSearch) view->focusSearch();
    QObject::connect(view, &HistoryView::closeRequested, dialog, &QDialog::reject);
    layout->addWidget(view);
    return dialog;
}
}  // namespace

MainView::MainView(AppModel& model, WindowNavigation& navigation, QWidget* parent)
    : QWidget(parent), model_(model), navigation_(navigation) {
    setObjectName(QStringLiteral("mainView"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    header_ = new HeaderBar(model, this);
    column->addWidget(header_);
    column->addWidget(new HDivider(this));
    auto* columns = new QHBoxLayout();
    columns->setSpacing(0);
    source_ = new SourceColumn(model, this);
    middle_ = new TransferColumn(model, this);
    middle_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    destination_ = new DestinationColumn(model, this);
    columns->addWidget(source_);
    columns->addWidget(new VDivider(this));
    columns->addWidget(middle_, 1);
    columns->addWidget(new VDivider(this));
    columns->addWidget(destination_);
    column->addLayout(columns, 1);

    header_->setStagedForScreenshot(navigation_.stagedForScreenshot());
    connect(header_, &HeaderBar::settingsRequested, &navigation_, [this] { navigation_.openSettings(); });
    connect(header_, &HeaderBar::historyRequested, &navigation_, &WindowNavigation::showHistory);
    connect(header_, &HeaderBar::clipSearchRequested, &navigation_, &WindowNavigation::findClip);
    connect(middle_, &TransferColumn::historyRequested, &navigation_,
            &WindowNavigation::showHistory);
    connect(destination_, &DestinationColumn::structureRequested, &navigation_,
            [this] { navigation_.openSettings(SettingsTab::structure); });
    connect(&navigation_, &WindowNavigation::historyChanged, this, &MainView::historyChanged);
    connect(&navigation_, &WindowNavigation::stagingChanged, this,
            [this] { header_->setStagedForScreenshot(navigation_.stagedForScreenshot()); });
    connect(&model_, &AppModel::changed, this, &MainView::modelChanged);
}

void MainView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Sheets and alerts open once the window is up: a dialog needs its parent window.
    QMetaObject::invokeMethod(this, [this] {
        presentSheet();
        presentAlert();
    }, Qt::QueuedConnection);
}

MainView::~MainView() {
    closingForModel_ = true;
    delete sheet_;
    delete alert_;
}

void MainView::modelChanged(ModelFields fields) {
    header_->refresh(fields);
    source_->refresh(fields);
    destination_->refresh(fields);
    if (fields.intersects({ModelField::showProjectSheet, ModelField::folderRequest})) presentSheet();
    if (fields.contains(ModelField::alert)) presentAlert();
}

MainView::Sheet MainView::wantedSheet() const {
    if (model_.showProjectSheet()) return Sheet::project;
    if (model_.folderRequest()) return Sheet::folder;
    if (navigation_.history() != WindowNavigation::History::closed) return Sheet::history;
    return Sheet::none;
}

void MainView::closeSheetForModel() {
    if (!sheet_) return;
    closingForModel_ = true;
    QDialog* sheet = sheet_;
    sheet_ = nullptr;
    sheetKind_ = Sheet::none;
    sheet->done(QDialog::Rejected);
    sheet->deleteLater();
    closingForModel_ = false;
}

void MainView::presentSheet() {
    const Sheet wanted = wantedSheet();
    if (wanted == sheetKind_ && sheet_) {
        if (wanted == Sheet::folder) static_cast<FolderSheet*>(sheet_.data())->setRequest(*model_.folderRequest());
        return;
    }
    closeSheetForModel();
    if (wanted == Sheet::none || !isVisible()) return;
    QDialog* sheet = nullptr;
    switch (wanted) {
        case Sheet::project: sheet = new ProjectSheet(model_, this); break;
        case Sheet::folder: sheet = new FolderSheet(model_, *model_.folderRequest(), this); break;
        case Sheet::history:
            sheet = historySheet(model_, navigation_.history() == WindowNavigation::History::clipSearch, this);
            break;
        case Sheet::none: return;
    }
    sheet_ = sheet;
    sheetKind_ = wanted;
    connect(sheet, &QDialog::finished, this, [this, sheet, wanted] { sheetFinished(sheet, wanted); });
    sheet->open();
    // An alert stays over the top-most sheet.
    if (alert_) alert_->raise();
}

void MainView::sheetFinished(QDialog* sheet, Sheet kind) {
    if (closingForModel_ || sheet != sheet_) return;
    sheet_ = nullptr;
    sheetKind_ = Sheet::none;
    sheet->deleteLater();
    switch (kind) {
        case Sheet::project: model_.setShowProjectSheet(false); break;
        case Sheet::folder: model_.dismissFolderRequest(); break;
        case Sheet::history: navigation_.closeHistory(); break;
        case Sheet::none: break;
    }
    presentSheet();
}

void MainView::historyChanged() {
    // The clip search asked for while the history sheet is open: its field takes the focus.
    if (sheetKind_ == Sheet::history && sheet_ && navigation_.history() == WindowNavigation::History::clipSearch)
        if (auto* history = sheet_->findChild<HistoryView*>()) history->focusSearch();
    presentSheet();
}

void MainView::presentAlert() {
    const auto& alert = model_.alert();
    if (alert_ && (!alert || alert_->alertID() != alert->id)) {
        MainAlert* old = alert_;
        alert_ = nullptr;
        old->hide();
        old->deleteLater();
    }
    if (!alert || alert_ || !isVisible()) return;
    // Owned by the window, not by the sheet it may cover: the model may close that sheet while the
    // alert still waits for an answer.
    alert_ = new MainAlert(model_, *alert, this);
    MainAlert* shown = alert_;
    connect(shown, &QDialog::finished, this, [this, shown] {
        if (alert_ == shown) alert_ = nullptr;
        shown->deleteLater();
    });
    shown->open();
}

MainAlert* MainView::alertShown() const { return alert_; }

void MainView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Theme::background());
}

bool MainView::focusNextPrevChild(bool next) { return FocusOrder::move(*this, next); }

}  // namespace quillane
