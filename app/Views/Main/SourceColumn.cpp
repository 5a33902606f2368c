#include "Views/Main/SourceColumn.h"

#include <algorithm>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>

#include "Model/AppModel.h"
#include "Product/Product.h"
#include "Views/Drives/DriveCard.h"
#include "Views/Kit/EmptyZone.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/LocalText.h"
#include "Views/Kit/SectionLabel.h"
#include "Views/Kit/Spinner.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Kit/Theme.h"
#include "Views/Main/HeaderLook.h"
#include "Views/Main/OtherDrives.h"
#include "Views/Main/QueueList.h"
#include "Views/Main/SourceColumnLook.h"
#include "Views/Main/SourceContents.h"
#include "Views/Main/SourceContentsLook.h"
#include "Views/Kit/TextLine.h"

namespace quillane {

namespace {
bool isSound(const DriveState& drive) {
    return drive.classification.camera && drive.classification.camera->isSound();
}

SourceColumnFacts columnFacts(const AppModel& model, const std::vector<DriveState>& sources) {
    SourceColumnFacts facts;
    for (const DriveState& drive : sources) facts.sourceIDs.push_back(drive.info.id);
    facts.selectedSourceID = model.selectedSourceID();
    if (model.runningJob()) facts.runningSourceID = model.runningJob()->sourceID;
    for (const QueueItem& item : model.queue()) facts.queueSourceIDs.push_back(item.sourceID);
    for (const auto& companion : model.soundCompanions()) facts.soundCompanionNames.push_back(companion.name);
    facts.running = model.transferState() == TransferState::running;
    facts.canEnqueue = model.canEnqueue();
    facts.rollName = model.rollName();
    return facts;
}
}  // namespace

SourceCard::SourceCard(AppModel& model, const DriveState& drive, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("sourceCard"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    card_ = new DriveCard(model, drive, this);
    layout->addWidget(card_);
    badge_ = new TextLine(Fonts::text(10, QFont::DemiBold), Theme::accent(), this);
    badge_->setObjectName(QStringLiteral("sourceBadge"));
    badge_->hide();
    connect(card_, &DriveCard::clicked, this, &SourceCard::clicked);
}

void SourceCard::display(const DriveState& drive, bool selected, const std::optional<Tag>& badge) {
    card_->setDrive(drive);
    card_->setSelected(selected);
    badge_->setVisible(badge.has_value());
    if (badge) {
        const QColor color = toneColor(badge->tone);
        badge_->setText(badge->text);
        badge_->setColor(color);
        badge_->setCapsule(Theme::opacity(color, 0.14), 7, 17);
        badge_->adjustSize();
        placeBadge();
        badge_->raise();
    }
}

void SourceCard::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeBadge();
}

void SourceCard::placeBadge() {
    // On the subtitle's line at the card's trailing edge, clear of the capacity bar below it; the
    // subtitle ends before the badge, so the badge covers none of it.
    const QSize size = badge_->sizeHint();
    int top = 38;
    if (auto* subtitle = card_->findChild<QWidget*>(QStringLiteral("driveSubtitle"))) {
        const QRect line(subtitle->mapTo(this, QPoint(0, 0)), subtitle->size());
        top = line.center().y() + 1 - size.height() / 2;
        const int covered = !badge_->isHidden() ? line.right() - (width() - 12 - size.width()) + 6 : 0;
        subtitle->setContentsMargins(0, 0, std::max(0, covered), 0);
    }
    badge_->setGeometry(width() - 12 - size.width(), top, size.width(), size.height());
}

DemoButton::DemoButton(AppModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName(QStringLiteral("demoButton"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    button_ = new StyledButton(ButtonStyles::secondary(true), {}, QStringLiteral("graduationcap"), this);
    column->addWidget(button_);
    settingUp_ = new QWidget(this);
    auto* line = new QHBoxLayout(settingUp_);
    line->setContentsMargins(0, 8, 0, 8);
    line->setSpacing(8);
    line->addStretch(1);
    line->addWidget(new Spinner(16, Theme::secondary(), settingUp_));
    settingUpText_ = new TextLine(Fonts::text(12), Theme::secondary(), settingUp_);
    line->addWidget(settingUpText_);
    line->addStretch(1);
    column->addWidget(settingUp_);
    connect(button_, &QAbstractButton::clicked, this, [this] { model_.startDemo(); });
    refresh();
}

void DemoButton::refresh() {
    const DemoButtonForm form = demoButtonForm(model_.demoState());
    button_->setVisible(form == DemoButtonForm::button);
    settingUp_->setVisible(form == DemoButtonForm::spinner);
    button_->setText(lq("Oefenen met demokaarten", "Practice with demo cards"));
    button_->setEnabled(!model_.pausedTransfer());
    button_->setToolTip(model_.pausedTransfer()
                            ? demoWaitsForPausedTransfer()
                            : lq("Maakt fictieve camerakaarten en SSD's aan, zodat je alles kunt uitproberen zonder "
                                 "echte footage.",
                                 "Creates fictional camera cards and SSDs so you can try everything without real "
                                 "footage."));
    settingUpText_->setText(lq("Demokaarten worden klaargezet…", "Setting up demo cards…"));
}

SourceColumn::SourceColumn(AppModel& model, QWidget* parent)
    : DriveColumn(model, QStringLiteral("source"), columnWidth, parent), cards_(nullptr) {
    QWidget* inner = scroll_->widget();
    contents_ = new SourceContents(model, inner);
    enqueue_ = new StyledButton(ButtonStyles::secondary(true), {},
                                QStringLiteral("text.line.last.and.arrowtriangle.forward"), inner);
    enqueue_->setObjectName(QStringLiteral("enqueueButton"));
    queue_ = new QueueList(model, inner);
    cardsLayout_->addWidget(contents_);
    cardsLayout_->addWidget(enqueue_);
    cardsLayout_->addWidget(queue_);
    cardsLayout_->addStretch(1);
    cards_ = KeyedRows<SourceCard>(cardsLayout_);
    column_->addWidget(scroll_, 1);

    empty_ = new QWidget(this);
    auto* emptyColumn = new QVBoxLayout(empty_);
    emptyColumn->setContentsMargins(0, 0, 0, 0);
    emptyColumn->setSpacing(14);
    emptyZone_ = new EmptyZone(QStringLiteral("sdcard"), QString(), QString(), empty_);
    demo_ = new DemoButton(model, empty_);
    emptyColumn->addWidget(emptyZone_);
    emptyColumn->addWidget(demo_);
    column_->addWidget(empty_);
    column_->addStretch(0);
    others_ = new OtherDrives(model, this);
    column_->addWidget(others_);

    connect(enqueue_, &QAbstractButton::clicked, this, [this] { model_.enqueueSelected(); });
    refresh(reads());
}

ModelFields SourceColumn::reads() {
    return SourceContents::reads() | ModelFields{ModelField::drives,         ModelField::sessionRoles,
                                                 ModelField::selectedSourceID, ModelField::runningJob,
                                                 ModelField::queue,          ModelField::transferState,
                                                 ModelField::rollName,       ModelField::demoState,
                                                 ModelField::settings,       ModelField::scanState,
                                                 ModelField::pausedJob};
}

void SourceColumn::refresh(ModelFields fields) {
    if (!fields.intersects(reads())) return;
    const std::vector<DriveState> sources = model_.sources();
    const SourceColumnFacts facts = columnFacts(model_, sources);
    const SourceColumnLook look = sourceColumnLook(facts);

    title_->setTitle(lq("Bron", "Source"));
    title_->setTrailing(look.countText.isEmpty() ? std::nullopt : std::optional(look.countText));
    scroll_->setVisible(!look.empty);
    empty_->setVisible(look.empty);
    if (look.empty) {
        emptyZone_->setContent(QStringLiteral("sdcard"), lq("Sluit een kaart aan", "Connect a card"),
                               lq("Camera of geluid —\n", "Camera or sound —\n") + QString::fromUtf8(Product::name) +
                                   lq(" herkent het zelf", " works out which"));
        demo_->refresh();
    }

    cards_.sync(
        sources, [](const DriveState& d) { return QString::fromStdString(d.info.id); },
        [this](const DriveState& d) {
            auto* card = new SourceCard(model_, d, scroll_->widget());
            const std::string id = d.info.id;
            connect(card, &SourceCard::clicked, this, [this, id] { model_.selectSource(id); });
            return card;
        },
        [&facts](SourceCard* card, const DriveState& d) {
            card->display(d, facts.selectedSourceID == d.info.id,
                       sourceBadge(facts, {d.info.id, d.info.name, isSound(d)}));
        });

    contents_->setVisible(look.showContents);
    if (look.showContents) contents_->refresh(SourceContents::reads());
    enqueue_->setVisible(look.showEnqueue);
    enqueue_->setEnabled(look.enqueueEnabled);
    enqueue_->setText(look.enqueueLabel);
    enqueue_->setToolTip(lq("Start automatisch zodra de huidige transfer veilig klaar is",
                              "Starts automatically once the current transfer has finished safely"));
    queue_->setVisible(look.showQueue);
    if (look.showQueue) queue_->refresh();
    others_->refresh();
}

}  // namespace quillane
