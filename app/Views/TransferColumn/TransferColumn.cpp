#include "Views/TransferColumn/TransferColumn.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "Model/AppModel.h"
#include "Views/TransferColumn/ActionArea.h"
#include "Views/TransferColumn/ColumnInputs.h"
#include "Views/TransferColumn/DestinationBars.h"
#include "Views/TransferColumn/RecentTransfers.h"
#include "Views/TransferColumn/RollPicker.h"
#include "Views/TransferColumn/StatusHeadline.h"

namespace quillane {
namespace {

using F = ModelField;

// A widget as wide as the column allows up to `maximum`, centred.
void addCentred(QVBoxLayout* layout, QWidget* widget, int maximum) {
    widget->setMaximumWidth(maximum);
    widget->setSizePolicy(QSizePolicy::Expanding, widget->sizePolicy().verticalPolicy());
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    row->addStretch(1);
    row->addWidget(widget, 1000);
    row->addStretch(1);
    layout->addLayout(row);
}

}  // namespace

TransferColumn::TransferColumn(AppModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName(QStringLiteral("transferColumn"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(28, 22, 28, 22);
    column->setSpacing(0);
    rollPicker_ = new RollPicker(model, this);
    headline_ = new StatusHeadline(model, this);
    bars_ = new DestinationBars(model, this);
    actions_ = new ActionArea(model, this);
    recent_ = new RecentTransfers(model, this);

    column->addSpacerItem(new QSpacerItem(0, 16, QSizePolicy::Minimum, QSizePolicy::Expanding));
    column->addWidget(rollPicker_);
    column->addSpacing(30);
    column->addWidget(headline_);
    column->addSpacing(20);
    addCentred(column, bars_, 480);
    column->addSpacing(30);
    column->addWidget(actions_);
    column->addSpacerItem(new QSpacerItem(0, 20, QSizePolicy::Minimum, QSizePolicy::Expanding));
    addCentred(column, recent_, 560);

    connect(recent_, &RecentTransfers::historyRequested, this, &TransferColumn::historyRequested);
    connect(&model_, &AppModel::changed, this, &TransferColumn::refresh);
}

void TransferColumn::refresh(ModelFields fields) {
    if (fields.intersects({F::runningJob, F::pausedJob, F::targetPath, F::transferState, F::settings}))
        rollPicker_->refresh();
    if (fields.intersects(statusHeadlineFields())) headline_->refresh();
    if (fields.intersects(destinationBarsFields())) bars_->refresh();
    // What blocks a transfer depends on most of the model; the area ignores refreshes that change nothing.
    actions_->refresh();
    if (fields.intersects({F::projectName, F::history, F::settings})) recent_->refresh();
}

}  // namespace quillane
