#include "Views/Main/DestinationColumn.h"

#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

#include "Model/AppModel.h"
#include "Views/Drives/DestinationRules.h"
#include "Views/Drives/DriveCard.h"
#include "Views/Kit/CheckBox.h"
#include "Views/Kit/EmptyZone.h"
#include "Views/Kit/LocalText.h"
#include "Views/Kit/SectionLabel.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Main/DestinationStatus.h"
#include "Views/Main/FolderTree.h"
#include "Views/Main/FolderTreeLook.h"

namespace quillane {

DestinationCard::DestinationCard(AppModel& model, const DriveState& drive, QWidget* parent)
    : QWidget(parent), model_(model), drive_(drive) {
    setObjectName(QStringLiteral("destinationCard"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    card_ = new DriveCard(model, drive, this);
    layout->addWidget(card_);

    auto* leading = new QWidget();
    auto* leadingColumn = new QVBoxLayout(leading);
    leadingColumn->setContentsMargins(0, 12, 0, 0);
    include_ = new CheckBox(leading);
    include_->setObjectName(QStringLiteral("includeSwitch"));
    leadingColumn->addWidget(include_);
    leadingColumn->addStretch(1);
    card_->setLeading(leading);
    // Any click flips the drive's membership once; the model decides the new state.
    connect(include_, &CheckBox::clicked, this, [this] { model_.toggleDestination(drive_); });

    footer_ = new QWidget();
    auto* footerColumn = new QVBoxLayout(footer_);
    footerColumn->setContentsMargins(0, 0, 0, 0);
    footerColumn->setSpacing(10);
    tree_ = new FolderTree(footer_);
    status_ = new DestinationStatus(model, footer_);
    footerColumn->addWidget(tree_);
    footerColumn->addWidget(status_);
    card_->setFooter(footer_);
    display(drive);
}

void DestinationCard::display(const DriveState& drive) {
    drive_ = drive;
    const bool included = model_.excludedDestinationIDs().count(drive.info.id) == 0;
    card_->setDrive(drive);
    card_->setSelected(false);
    card_->setDimmed(!included);
    include_->setChecked(included);
    include_->setEnabled(model_.transferState() != TransferState::running);
    include_->setToolTip(includeSwitchTooltip(included));
    const DestinationPlan* plan = included ? model_.plan(drive) : nullptr;
    footer_->setVisible(plan != nullptr);
    if (plan) {
        // While a card is copied here or waits paused, the tree shows that card's roll folder.
        const RunningJob* job = shownJob(model_.transferState(), model_.runningJob(), model_.pausedTransfer());
        const std::vector<std::string>& ids = model_.transferDriveIDs();
        const auto at = std::find(ids.begin(), ids.end(), drive.info.id);
        const auto index = static_cast<std::size_t>(at - ids.begin());
        if (job && at != ids.end() && index < model_.transferRollURLs().size())
            tree_->display(jobFolderPlan(*plan, job->path, model_.transferRollURLs()[index]), drive);
        else
            tree_->display(*plan, drive);
        status_->display(*plan);
    }
}

void DestinationCard::refreshStatus() {
    if (!footer_->isVisibleTo(this)) return;
    if (const DestinationPlan* plan = model_.plan(drive_)) status_->display(*plan);
}

DestinationColumn::DestinationColumn(AppModel& model, QWidget* parent)
    : DriveColumn(model, QStringLiteral("destination"), columnWidth, parent), cards_(nullptr) {
    empty_ = new EmptyZone(QStringLiteral("externaldrive"), QString(), QString(), this);
    column_->addWidget(empty_);
    cardsLayout_->addStretch(1);
    cards_ = KeyedRows<DestinationCard>(cardsLayout_);
    column_->addWidget(scroll_, 1);
    column_->addStretch(0);
    // Pinned under the cards rather than scrolled with them, so it never shows half.
    editStructure_ = new StyledButton(ButtonStyles::secondary(true), {}, QStringLiteral("folder.badge.gearshape"), this);
    editStructure_->setObjectName(QStringLiteral("editStructureButton"));
    createFolders_ = new CreateFoldersButton(this);
    auto* foot = new QVBoxLayout;
    foot->setSpacing(8);
    foot->addWidget(editStructure_);
    foot->addWidget(createFolders_);
    column_->addLayout(foot);

    connect(editStructure_, &QAbstractButton::clicked, this, &DestinationColumn::structureRequested);
    connect(createFolders_, &QAbstractButton::clicked, this, [this] { model_.requestFolders(false, false); });
    refresh(reads());
}

ModelFields DestinationColumn::reads() {
    return {ModelField::drives,           ModelField::sessionRoles,     ModelField::excludedDestinationIDs,
            ModelField::transferState,    ModelField::plans,            ModelField::progress,
            ModelField::lastResult,       ModelField::transferDriveIDs, ModelField::projectName,
            ModelField::settings,         ModelField::runningJob,       ModelField::pausedJob,
            ModelField::transferRollURLs, ModelField::transferVerifies};
}

void DestinationColumn::refresh(ModelFields fields) {
    if (!fields.intersects(reads())) return;
    // The progress tick: only the status lines move.
    if (fields == ModelFields{ModelField::progress}) {
        for (const QString& key : cards_.keys())
            if (DestinationCard* card = cards_.row(key)) card->refreshStatus();
        return;
    }
    const std::vector<DriveState> destinations = model_.destinations();
    const DestinationColumnLook look =
        destinationColumnLook(destinations.size(), model_.activeDestinations().size());
    title_->setTitle(lq("Bestemmingen", "Destinations"));
    title_->setTrailing(look.countText.isEmpty() ? std::nullopt : std::optional(look.countText));
    empty_->setVisible(look.empty);
    scroll_->setVisible(!look.empty);
    editStructure_->setVisible(!look.empty);
    createFolders_->setVisible(!look.empty);
    if (look.empty) {
        empty_->setContent(QStringLiteral("externaldrive"), lq("Sluit een SSD aan", "Connect an SSD"),
                           lq("Gebruik er 2, 3 of 4 tegelijk —\nelke SSD krijgt een volledige kopie",
                                "Use 2, 3 or 4 at once —\nevery SSD gets a full copy"));
        return;
    }
    cards_.sync(
        destinations, [](const DriveState& d) { return QString::fromStdString(d.info.id); },
        [this](const DriveState& d) { return new DestinationCard(model_, d, scroll_->widget()); },
        [](DestinationCard* card, const DriveState& d) { card->display(d); });
    const bool running = model_.transferState() == TransferState::running;
    editStructure_->setText(lq("Mappenstructuur instellen…", "Set up folder structure…"));
    editStructure_->setEnabled(!running);
    editStructure_->setToolTip(lq("Pas aan welke mappen er op je SSD's komen",
                                    "Change which folders are created on your SSDs"));
    const RunningJob* job = shownJob(model_.transferState(), model_.runningJob(), model_.pausedTransfer());
    createFolders_->display(createFoldersLabel(foldersToCreate(job, model_.missingFolders().size()), running,
                                               !model_.projectName().empty()));
}

}  // namespace quillane
