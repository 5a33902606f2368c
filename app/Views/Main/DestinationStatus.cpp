#include "Views/Main/DestinationStatus.h"

#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include <cmath>

#include "Model/AppModel.h"
#include "Views/Kit/CapacityBar.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/LocalText.h"
#include "Views/Kit/StatusDot.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Kit/Symbols.h"
#include "Views/Kit/Theme.h"
#include "Views/Main/MainStyles.h"
#include "Views/Kit/TextLine.h"

namespace quillane {

namespace {
QWidget* box(QWidget* parent, QBoxLayout* layout, int spacing) {
    auto* widget = new QWidget(parent);
    widget->setLayout(layout);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return widget;
}

std::string lastNodeName(const DestinationPlan& plan) { return plan.nodes.empty() ? std::string() : plan.nodes.back().name; }
}  // namespace

DestinationStatus::DestinationStatus(AppModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName(QStringLiteral("destinationStatus"));
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);

    auto* progress = new QVBoxLayout();
    progress_ = box(this, progress, 5);
    bar_ = new CapacityBar(0, 0, Theme::accent(), progress_);
    progressText_ = new TextLine(Fonts::text(11), Theme::secondary(), progress_);
    progressText_->setObjectName(QStringLiteral("destinationProgressText"));
    progressText_->setWrapping(true);
    progressText_->setMaximumLines(2);
    progress->addWidget(bar_);
    progress->addWidget(progressText_);

    auto* result = new QHBoxLayout();
    result_ = box(this, result, 6);
    resultText_ = new TextLine(Fonts::text(11.5, QFont::Medium), Theme::text(), result_);
    resultText_->setObjectName(QStringLiteral("destinationResultText"));
    resultText_->setWrapping(true);
    resultText_->setMaximumLines(2);
    showFolder_ = new StyledButton(MainStyles::plain(Fonts::text(12), Theme::tertiary(), 20, 20), {},
                                   QStringLiteral("folder"), result_);
    showFolder_->setObjectName(QStringLiteral("destinationShowFolder"));
    result->addWidget(resultText_, 1, Qt::AlignVCenter);  // centred on the folder button, like the row it is in
    result->addSpacing(4);
    result->addWidget(showFolder_);

    // The dot on the first line; the space text and the roll folder's warning below each other, each
    // wrapping onto as many lines as it needs, so neither loses its point in a narrow card.
    auto* space = new QHBoxLayout();
    space_ = box(this, space, 6);
    const QFont spaceFont = Fonts::text(11);
    dot_ = new StatusDot(Theme::accent(), space_);
    auto* dotColumn = new QVBoxLayout();
    dotColumn->addSpacing(static_cast<int>(std::round((QFontMetricsF(spaceFont).height() - dot_->height()) / 2)));
    dotColumn->addWidget(dot_);
    dotColumn->addStretch(1);
    auto* texts = new QVBoxLayout();
    texts->setSpacing(2);
    spaceText_ = new TextLine(spaceFont, Theme::secondary(), space_);
    spaceText_->setObjectName(QStringLiteral("destinationSpaceText"));
    spaceText_->setWrapping(true);
    contentWarning_ = new TextLine(spaceFont, Theme::warning(), space_);
    contentWarning_->setObjectName(QStringLiteral("destinationContentWarning"));
    contentWarning_->setWrapping(true);
    texts->addWidget(spaceText_);
    texts->addWidget(contentWarning_);
    space->addLayout(dotColumn);
    space->addLayout(texts, 1);

    stack->addWidget(progress_);
    stack->addWidget(result_);
    stack->addWidget(space_);
    connect(showFolder_, &QAbstractButton::clicked, this, [this] { model_.openFolder(folder_); });
}

void DestinationStatus::display(const DestinationPlan& plan) {
    DestinationStatusFacts facts;
    facts.state = model_.transferState();
    facts.progress = model_.progress() ? &*model_.progress() : nullptr;
    facts.lastResult = model_.lastResult() ? &*model_.lastResult() : nullptr;
    facts.transferDriveIDs = model_.transferDriveIDs();
    facts.verifies = model_.transferVerifies();
    facts.driveID = plan.driveID;
    facts.requiredBytes = plan.requiredBytes;
    facts.freeBytes = plan.freeBytes;
    facts.rollHasContent = plan.rollHasContent;
    facts.rollFolderName = lastNodeName(plan);
    const DestinationStatusLine line = destinationStatusLine(facts);
    kind_ = line.kind;
    using Kind = DestinationStatusLine::Kind;
    progress_->setVisible(line.kind == Kind::progress);
    result_->setVisible(line.kind == Kind::result);
    space_->setVisible(line.kind == Kind::space);
    setVisible(line.kind != Kind::nothing);
    switch (line.kind) {
        case Kind::progress:
            bar_->setValues(line.used, 0, toneColor(line.barTone));
            progressText_->setText(line.text);
            progressText_->setColor(toneColor(line.textTone));
            break;
        case Kind::result:
            folder_ = line.folder;
            resultText_->setText(line.text);
            resultText_->setColor(toneColor(line.textTone));
            resultText_->setSymbol(line.good ? QStringLiteral("checkmark.seal.fill") : QStringLiteral("xmark.octagon.fill"),
                                   line.good ? Theme::accent() : Theme::danger());
            showFolder_->setToolTip(lq("Toon in bestandsbeheerder", "Show in file manager"));
            break;
        case Kind::space:
            dot_->setColor(toneColor(line.dotTone));
            spaceText_->setText(line.text);
            spaceText_->setColor(toneColor(line.textTone));
            contentWarning_->setVisible(line.contentWarning.has_value());
            contentWarning_->setText(line.contentWarning.value_or(QString()));
            break;
        case Kind::nothing: break;
    }
}

CreateFoldersButton::CreateFoldersButton(QWidget* parent) : PaintedButton(parent) {
    setObjectName(QStringLiteral("createFoldersButton"));
    setFixedHeight(32);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void CreateFoldersButton::display(const CreateFoldersLabel& label) {
    label_ = label;
    setEnabled(label.enabled);
    setAccessibleName(label.text);
    update();
}

QSize CreateFoldersButton::sizeHint() const { return {200, 32}; }

void CreateFoldersButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(Theme::stroke(), 1));
    painter.setBrush(isDown() ? Theme::cardRaised() : Theme::card());
    painter.drawRoundedRect(area, 9, 9);

    const QFont font = Fonts::text(12.5, QFont::Medium);
    const QFont badgeFont = Fonts::text(11, QFont::DemiBold);
    const QFontMetricsF metrics(font), badgeMetrics(badgeFont);
    const double iconSide = Symbols::side(12.5);
    const double badgeWidth = label_.badge ? badgeMetrics.horizontalAdvance(*label_.badge) + 12 : 0;
    const double total = iconSide + 8 + metrics.horizontalAdvance(label_.text) + (label_.badge ? 8 + badgeWidth : 0);
    double x = (width() - total) / 2;
    const QColor textColor = isEnabled() ? Theme::text() : Theme::tertiary();
    const QColor iconColor = label_.ready ? Theme::accent() : textColor;
    Symbols::paint(painter, QRectF(x, (height() - iconSide) / 2, iconSide, iconSide),
                   label_.ready ? QStringLiteral("checkmark.circle.fill") : QStringLiteral("folder.badge.plus"), iconColor);
    x += iconSide + 8;
    painter.setFont(font);
    painter.setPen(textColor);
    painter.drawText(QRectF(x, 0, metrics.horizontalAdvance(label_.text) + 1, height()), Qt::AlignVCenter, label_.text);
    x += metrics.horizontalAdvance(label_.text) + 8;
    if (label_.badge) {
        const QRectF pill(x, (height() - 17) / 2.0, badgeWidth, 17);
        painter.setPen(Qt::NoPen);
        painter.setBrush(isEnabled() ? Theme::accent() : Theme::opacity(Theme::accent(), 0.45));
        painter.drawRoundedRect(pill, 8.5, 8.5);
        painter.setFont(badgeFont);
        painter.setPen(Theme::onAccent());
        painter.drawText(pill, Qt::AlignCenter, *label_.badge);
    }
}

}  // namespace quillane
