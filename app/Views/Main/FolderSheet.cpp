#include "Views/Main/FolderSheet.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

#include "Model/AppModel.h"
#include "Views/Kit/DialogFocus.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/HeightForWidth.h"
#include "Views/Kit/LocalText.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Kit/Symbols.h"
#include "Views/Kit/Theme.h"
#include "Views/Main/SheetLook.h"
#include "Views/Kit/TextLine.h"

namespace quillane {

namespace {
// The sunken box the list scrolls in.
class Well : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Theme::well());
        painter.drawRoundedRect(rect(), 10, 10);
    }
};

}  // namespace

FolderSheet::FolderSheet(AppModel& model, const FolderRequest& request, QWidget* parent)
    : QDialog(parent), model_(model), request_(request) {
    setObjectName(QStringLiteral("folderSheet"));
    setWindowModality(Qt::WindowModal);
    setWindowTitle(lq("Mappen aanmaken?", "Create folders?"));
    HeightForWidth::keep(*this, 500);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(18);

    auto* top = new QHBoxLayout();
    top->setSpacing(14);
    auto* icon = new QWidget(this);
    icon->setFixedSize(34, 34);
    auto* symbol = new TextLine(Fonts::text(26), Theme::accent(), icon);
    symbol->setSymbol(QStringLiteral("folder.badge.plus"));
    symbol->setGeometry(0, 0, 34, 34);
    top->addWidget(icon, 0, Qt::AlignTop);
    auto* heading = new QVBoxLayout();
    heading->setSpacing(4);
    auto* title = new TextLine(Fonts::text(17, QFont::DemiBold), Theme::text(), this);
    title->setText(lq("Mappen aanmaken?", "Create folders?"));
    auto* explanation = new TextLine(Fonts::text(12.5), Theme::secondary(), this);
    explanation->setObjectName(QStringLiteral("folderExplanation"));
    explanation->setWrapping(true);
    explanation->setText(folderSheetExplanation());
    heading->addWidget(title);
    heading->addWidget(explanation);
    top->addLayout(heading, 1);
    column->addLayout(top);

    scroll_ = new QScrollArea(this);
    auto* scroll = scroll_;
    scroll->setObjectName(QStringLiteral("folderList"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    // Tab goes between the sheet's buttons; the list holds nothing to reach.
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* well = new Well(scroll);
    list_ = new QVBoxLayout(well);
    list_->setContentsMargins(14, 14, 14, 14);
    list_->setSpacing(14);
    scroll->setWidget(well);
    scroll->viewport()->setAutoFillBackground(false);
    column->addWidget(scroll);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    auto* cancel = new StyledButton(ButtonStyles::secondary(), lq("Annuleren", "Cancel"), {}, this);
    cancel->setObjectName(QStringLiteral("folderCancel"));
    confirm_ = new StyledButton(ButtonStyles::primary(), {}, {}, this);
    confirm_->setObjectName(QStringLiteral("folderConfirm"));
    buttons->addWidget(cancel);
    buttons->addWidget(confirm_);
    column->addLayout(buttons);

    connect(cancel, &QAbstractButton::clicked, this, &FolderSheet::reject);
    // The model takes the request first: closing the sheet drops whatever request is still pending.
    connect(confirm_, &QAbstractButton::clicked, this, [this] {
        model_.approveFolderRequest();
        accept();
    });
    (new DialogFocus(*this))->setDefaultButton(confirm_);
    fill();
}

void FolderSheet::setRequest(const FolderRequest& request) {
    if (request.id == request_.id) return;
    request_ = request;
    fill();
}

void FolderSheet::fill() {
    while (QLayoutItem* item = list_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    QWidget* well = list_->parentWidget();
    for (const FolderRequest::Entry& entry : request_.entries) {
        auto* block = new QWidget(well);
        auto* rows = new QVBoxLayout(block);
        rows->setContentsMargins(0, 0, 0, 0);
        rows->setSpacing(6);
        auto* drive = new TextLine(Fonts::text(12.5, QFont::DemiBold), Theme::text(), block);
        drive->setSymbol(QStringLiteral("externaldrive.fill"));
        drive->setText(QString::fromStdString(entry.driveName));
        rows->addWidget(drive);
        for (const std::string& path : entry.paths) {
            auto* line = new TextLine(Fonts::mono(12), Theme::secondary(), block);
            line->setSymbol(QStringLiteral("plus"), Theme::accent());
            line->setElideMode(Qt::ElideMiddle);
            line->setText(QString::fromStdString(path));
            auto* indent = new QHBoxLayout();
            indent->setContentsMargins(20, 0, 0, 0);
            indent->addWidget(line);
            rows->addLayout(indent);
        }
        list_->addWidget(block);
    }
    list_->addStretch(1);
    // As tall as the list, at most 260: longer lists scroll inside the sheet.
    well->adjustSize();
    scroll_->setFixedHeight(std::min(list_->sizeHint().height(), 260));
    confirm_->setText(folderSheetConfirmTitle(request_.thenTransfer));
}

void FolderSheet::reject() {
    QDialog::reject();
    model_.dismissFolderRequest();
}

void FolderSheet::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Theme::background());
}

}  // namespace quillane
