#include "Views/TransferColumn/RollPicker.h"

#include <QHBoxLayout>
#include <QFontMetricsF>
#include <QMenu>

#include <cmath>

#include "Model/AppModel.h"
#include "Support/Lang.h"
#include "Views/Kit/Elide.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/LocalText.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Drives/DestinationRules.h"
#include "Views/Kit/SymbolView.h"
#include "Views/Kit/TapeLabel.h"
#include "Views/Kit/Theme.h"
#include "Views/Kit/TextLabel.h"

namespace quillane {
namespace {

constexpr double pathFontSize = 22;
constexpr double chevronFontSize = 13;

ButtonStyle chevronStyle() {
    ButtonStyle style;
    style.shape = ButtonStyle::Shape::circle;
    style.background = Qt::transparent;
    style.backgroundPressed = Theme::opacity(Qt::white, 0.07);
    style.backgroundDisabled = Qt::transparent;
    style.foreground = Theme::secondary();
    style.foregroundDisabled = Theme::tertiary();
    style.border = Qt::transparent;
    style.font = Fonts::text(11, QFont::Bold);
    style.fixedWidth = 22;
    style.height = 22;
    return style;
}

}  // namespace

RollPicker::RollPicker(AppModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName(QStringLiteral("rollPicker"));
    setMinimumHeight(44);
    row_ = new QHBoxLayout(this);
    row_->setContentsMargins(0, 0, 0, 0);
    row_->setSpacing(10);
    row_->addStretch(1);
    tape_ = new TapeLabel(QString(), 24, -2, this);
    tape_->setObjectName(QStringLiteral("rollTape"));
    tape_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tape_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& position) { popUpMenu(tape_->mapToGlobal(position)); });
    menuButton_ = new StyledButton(chevronStyle(), QString(), QStringLiteral("chevron.down"), this);
    menuButton_->setObjectName(QStringLiteral("rollMenuButton"));
    connect(menuButton_, &QAbstractButton::clicked, this,
            [this] { popUpMenu(menuButton_->mapToGlobal(QPoint(0, menuButton_->height()))); });
    row_->addWidget(tape_);
    row_->addWidget(menuButton_);
    row_->addStretch(1);
    refresh();
}

void RollPicker::refresh() {
    const RunningJob* job = shownJob(model_.transferState(), model_.runningJob(), model_.pausedTransfer());
    RollPickerLook content = rollPicker(job ? &job->path : nullptr, model_.targetPath(),
                                           model_.transferState() == TransferState::running);
    tape_->setToolTip(lq("Map voor deze kaart", "Folder for this card"));
    menuButton_->setToolTip(
        lq("Ander nummer of andere camera kiezen", "Choose a different number or camera"));
    if (refreshed_ && content == content_) return;
    refreshed_ = true;
    content_ = std::move(content);

    // One label and one chevron per folder above the roll folder, kept across refreshes.
    const std::size_t count = content_.folders.size();
    while (folders_.size() < count) {
        const int index = 1 + 2 * static_cast<int>(folders_.size());
        auto* folder =
            new TextLabel(QString(), Fonts::expanded(Fonts::text(pathFontSize, QFont::Bold)), Theme::secondary(), this);
        folder->setObjectName(QStringLiteral("rollPathFolder"));
        auto* chevron = new SymbolView(QStringLiteral("chevron.right"), chevronFontSize, Theme::tertiary(), QFont::DemiBold, this);
        row_->insertWidget(index, folder);
        row_->insertWidget(index + 1, chevron);
        folders_.push_back(folder);
        chevrons_.push_back(chevron);
    }
    for (std::size_t i = 0; i < folders_.size(); ++i) {
        const bool shown = i < count;
        folders_[i]->setVisible(shown);
        chevrons_[i]->setVisible(shown);
    }
    tape_->setVisible(content_.roll.has_value());
    menuButton_->setVisible(content_.roll.has_value());
    if (content_.roll) tape_->setText(QString::fromStdString(*content_.roll));
    menuButton_->setEnabled(content_.menuButtonEnabled);
    fitFolders();
}

QSize RollPicker::minimumSizeHint() const { return {0, QWidget::minimumSizeHint().height()}; }

void RollPicker::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitFolders();
}

void RollPicker::fitFolders() {
    const std::size_t count = std::min(content_.folders.size(), folders_.size());
    if (count == 0) return;
    QStringList levels;
    for (std::size_t i = 0; i < count; ++i) levels << QString::fromStdString(content_.folders[i]);
    // Each name is followed by its chevron and the spacing on both sides of it; after the last
    // chevron come the tape and the menu button.
    const double separator = chevrons_.front()->sizeHint().width() + 2 * row_->spacing();
    const double rest = content_.roll ? tape_->sizeHint().width() + row_->spacing() + menuButton_->sizeHint().width()
                                      : -row_->spacing();
    const QFontMetricsF metrics(folders_.front()->textFont());
    const QStringList shown = elidedLevels(levels, separator, metrics, width() - rest);
    for (std::size_t i = 0; i < count; ++i) {
        // A folded level leaves the row with its chevron.
        const QString& text = shown[static_cast<qsizetype>(i)];
        folders_[i]->setVisible(!text.isEmpty());
        chevrons_[i]->setVisible(!text.isEmpty());
        folders_[i]->setText(text);
        folders_[i]->setFixedWidth(static_cast<int>(std::ceil(metrics.horizontalAdvance(text))));
    }
}

QMenu* RollPicker::makeRollMenu() {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("rollMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(lq("Volgende nummer", "Next number"), this, [this] { model_.stepRoll(1); });
    menu->addAction(lq("Vorige nummer", "Previous number"), this, [this] { model_.stepRoll(-1); });
    QMenu* cameras = menu->addMenu(lq("Andere camera", "Other camera"));
    cameras->setObjectName(QStringLiteral("cameraMenu"));
    for (char letter : rollMenuLetters())
        cameras->addAction(QString::fromStdString(rollMenuLetterTitle(letter)), this,
                           [this, letter] { model_.pickCameraLetter(std::string(1, letter)); });
    menu->addSeparator();
    menu->addAction(lq("Automatisch", "Automatic"), this, [this] { model_.clearRollOverride(); });
    return menu;
}

void RollPicker::popUpMenu(const QPoint& globalPosition) {
    makeRollMenu()->popup(globalPosition);
}

}  // namespace quillane
