#include "Views/TransferColumn/ActionArea.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>

#include "Model/AppModel.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Kit/Theme.h"
#include "Views/Kit/Tone.h"
#include "Views/TransferColumn/ColumnInputs.h"
#include "Views/Kit/TextLabel.h"
#include "Views/Kit/TextLine.h"

namespace quillane {
namespace {

// Every button in the one order the states show them in.
constexpr ActionButton allButtons[] = {ActionButton::transfer, ActionButton::pause,  ActionButton::stop,
                                       ActionButton::resume,   ActionButton::discard, ActionButton::eject,
                                       ActionButton::report,   ActionButton::nextCard, ActionButton::close};

ButtonStyle styleOf(ActionButton button) {
    switch (button) {
        case ActionButton::transfer: return ButtonStyles::primary(true);
        case ActionButton::resume:
        case ActionButton::nextCard:
        case ActionButton::close: return ButtonStyles::primary(false);
        default: return ButtonStyles::secondary(false);
    }
}

QString objectNameOf(ActionButton button) {
    switch (button) {
        case ActionButton::transfer: return QStringLiteral("transferButton");
        case ActionButton::pause: return QStringLiteral("pauseButton");
        case ActionButton::stop: return QStringLiteral("stopButton");
        case ActionButton::resume: return QStringLiteral("resumeButton");
        case ActionButton::discard: return QStringLiteral("discardButton");
        case ActionButton::eject: return QStringLiteral("ejectButton");
        case ActionButton::report: return QStringLiteral("reportButton");
        case ActionButton::nextCard: return QStringLiteral("nextCardButton");
        case ActionButton::close: return QStringLiteral("closeButton");
    }
    return {};
}

}  // namespace

ActionArea::ActionArea(AppModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName(QStringLiteral("actionArea"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);
    auto* row = new QHBoxLayout;
    row->setSpacing(10);
    row->addStretch(1);
    for (ActionButton which : allButtons) {
        auto* button = new StyledButton(styleOf(which), QString(), QString::fromStdString(actionButtonSymbol(which)), this);
        button->setObjectName(objectNameOf(which));
        button->hide();
        connect(button, &QAbstractButton::clicked, this, [this, which] { run(which); });
        buttons_[which] = button;
        row->addWidget(button);
    }
    row->addStretch(1);
    column->addLayout(row);

    // Why TRANSFER waits may name a file of the card: it wraps rather than lose part of the name.
    status_ = new TextLine(Fonts::text(12), Theme::secondary(), this);
    status_->setObjectName(QStringLiteral("transferStatusLine"));
    status_->setWrapping(true);
    status_->setCentred(true);
    column->addWidget(status_);

    detail_ = new QWidget(this);
    detail_->setMaximumWidth(360);
    auto* detail = new QVBoxLayout(detail_);
    detail->setContentsMargins(0, 0, 0, 0);
    detail->setSpacing(3);
    currentFile_ = new TextLabel(QString(), Fonts::text(11.5), Theme::secondary(), detail_);
    currentFile_->setElideMode(Qt::ElideMiddle);
    currentFile_->setObjectName(QStringLiteral("currentFile"));
    currentFile_->setAlignment(Qt::AlignCenter);
    count_ = new TextLabel(QString(), Fonts::text(11), Theme::tertiary(), detail_);
    count_->setObjectName(QStringLiteral("progressCount"));
    count_->setAlignment(Qt::AlignCenter);
    detail->addWidget(currentFile_);
    detail->addWidget(count_);
    column->addWidget(detail_, 0, Qt::AlignHCenter);
    refresh();
}

void ActionArea::refresh() {
    ActionAreaLook content = actionArea(actionAreaInput(model_));
    // Texts follow the language, so they are set on every refresh; setters ignore equal values.
    for (ActionButton which : allButtons) {
        StyledButton* button = buttons_.at(which);
        button->setText(QString::fromStdString(actionButtonText(which)));
        button->setToolTip(QString::fromStdString(actionButtonTooltip(which)));
    }
    if (refreshed_ && content == content_) return;
    refreshed_ = true;
    content_ = std::move(content);
    for (ActionButton which : allButtons) {
        const bool shown = std::find(content_.buttons.begin(), content_.buttons.end(), which) != content_.buttons.end();
        buttons_.at(which)->setVisible(shown);
    }
    buttons_.at(ActionButton::transfer)->setEnabled(content_.transferEnabled);
    status_->setVisible(content_.status.has_value());
    if (content_.status) {
        status_->setText(QString::fromStdString(content_.status->text));
        status_->setColor(toneColor(content_.status->tone));
    }
    detail_->setVisible(content_.detail.has_value());
    if (content_.detail) {
        currentFile_->setText(QString::fromStdString(content_.detail->currentFile));
        count_->setText(QString::fromStdString(content_.detail->count));
    }
}

void ActionArea::run(ActionButton which) {
    switch (which) {
        case ActionButton::transfer: model_.requestTransfer(); break;
        case ActionButton::pause: model_.pauseTransfer(); break;
        case ActionButton::stop: model_.cancelTransfer(); break;
        case ActionButton::resume: model_.resumeTransfer(); break;
        case ActionButton::discard: model_.discardPausedTransfer(); break;
        case ActionButton::eject:
            // A copy: ejecting changes the drive list that the pointer points into.
            if (const DriveState* source = model_.selectedSource()) model_.eject(DriveState(*source));
            break;
        case ActionButton::report:
            // The report is a web page beside the footage: it opens in the browser.
            if (content_.report) model_.openReport(*content_.report);
            break;
        case ActionButton::nextCard:
        case ActionButton::close: model_.dismissResult(); break;
    }
}

}  // namespace quillane
