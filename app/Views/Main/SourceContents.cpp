#include "Views/Main/SourceContents.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "Model/AppModel.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/Spinner.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Kit/Theme.h"
#include "Views/Main/MainStyles.h"
#include "Views/Main/SourceContentsLook.h"
#include "Views/Kit/TextLine.h"

namespace quillane {

namespace {
ScanFacts scanFacts(const AppModel& model) {
    ScanFacts facts;
    const ScanState& state = model.scanState();
    switch (state.kind) {
        case ScanState::Kind::idle: facts.phase = ScanFacts::Phase::idle; break;
        case ScanState::Kind::scanning: facts.phase = ScanFacts::Phase::scanning; break;
        case ScanState::Kind::failed: facts.phase = ScanFacts::Phase::failed; break;
        case ScanState::Kind::ready: facts.phase = ScanFacts::Phase::ready; break;
    }
    facts.failure = state.message;
    if (model.scan()) {
        facts.totalBytes = model.scan()->totalBytes;
        facts.fileCount = model.scan()->fileCount();
    }
    return facts;
}
}  // namespace

SourceContents::SourceContents(AppModel& model, QWidget* parent)
    : QWidget(parent), model_(model), sounds_(nullptr) {
    setObjectName(QStringLiteral("sourceContents"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);

    choices_ = new QWidget(this);
    auto* choices = new QHBoxLayout(choices_);
    choices->setContentsMargins(0, 0, 0, 0);
    choices->setSpacing(8);
    root_ = new StyledButton(MainStyles::sourceChoice(true), QStringLiteral("Root folder"), QStringLiteral("sdcard.fill"),
                             choices_);
    root_->setObjectName(QStringLiteral("sourceRootChoice"));
    folder_ = new StyledButton(MainStyles::sourceChoice(false), {}, QStringLiteral("folder.fill"), choices_);
    folder_->setObjectName(QStringLiteral("sourceFolderChoice"));
    choices->addWidget(root_, 1);
    choices->addWidget(folder_, 1);
    column->addWidget(choices_);

    auto* scan = new QHBoxLayout();
    scan->setSpacing(6);
    spinner_ = new Spinner(11, Theme::tertiary(), this);
    scanLine_ = new TextLine(Fonts::text(11.5), Theme::tertiary(), this);
    scanLine_->setObjectName(QStringLiteral("scanLine"));
    scanLine_->setWrapping(true);
    scan->addWidget(spinner_);
    scan->addWidget(scanLine_, 1);
    column->addLayout(scan);

    soundLines_ = new QVBoxLayout();
    soundLines_->setSpacing(10);
    column->addLayout(soundLines_);
    sounds_ = KeyedRows<TextLine>(soundLines_);

    previous_ = new TextLine(Fonts::text(11.5, QFont::Medium), Theme::accent(), this);
    previous_->setObjectName(QStringLiteral("previousTransfer"));
    previous_->setSymbol(QStringLiteral("checkmark.seal.fill"));
    previous_->setWrapping(true);
    column->addWidget(previous_);

    connect(root_, &QAbstractButton::clicked, this, [this] { model_.useWholeCard(); });
    connect(folder_, &QAbstractButton::clicked, this, [this] { model_.chooseSourceFolder(); });
    refresh(reads());
}

ModelFields SourceContents::reads() {
    return {ModelField::transferState, ModelField::sourceSubfolders, ModelField::selectedSourceID,
            ModelField::scanState,     ModelField::scan,             ModelField::drives,
            ModelField::history,       ModelField::queue,            ModelField::runningJob,
            ModelField::settings,      ModelField::transferredSourceIDs};
}

void SourceContents::refresh(ModelFields fields) {
    if (!fields.intersects(reads())) return;
    const bool running = model_.transferState() == TransferState::running;
    const SourceChoices choices = sourceChoices(model_.sourceRootIsSubfolder(), model_.sourceRoot(), running);
    root_->setText(choices.rootTitle);
    root_->setButtonStyle(MainStyles::sourceChoice(choices.rootSelected));
    folder_->setText(choices.folderTitle);
    folder_->setButtonStyle(MainStyles::sourceChoice(!choices.rootSelected));
    choices_->setEnabled(choices.enabled);

    const ScanLine line = scanLine(scanFacts(model_));
    spinner_->setVisible(line.kind == ScanLine::Kind::spinner);
    scanLine_->setVisible(line.kind != ScanLine::Kind::none);
    scanLine_->setText(line.text);
    scanLine_->setColor(toneColor(line.tone));
    scanLine_->setSymbol(line.kind == ScanLine::Kind::failed ? QStringLiteral("exclamationmark.triangle.fill")
                                                             : QString());

    sounds_.sync(
        model_.soundCompanions(), [](const AppModel::SoundCompanion& s) { return QString::fromStdString(s.name); },
        [this](const AppModel::SoundCompanion&) {
            auto* sound = new TextLine(Fonts::text(11.5, QFont::Medium), Theme::sound(), this);
            sound->setSymbol(QStringLiteral("waveform"));
            sound->setWrapping(true);
            return sound;
        },
        [](TextLine* sound, const AppModel::SoundCompanion& s) { sound->setText(soundCompanionLine(s.name, s.roll)); });

    const auto previous = model_.previousTransfer();
    previous_->setVisible(previous.has_value());
    if (previous) previous_->setText(previousTransferLine(previous->roll, previous->finishedAt));
}

}  // namespace quillane
