#include "Views/Main/FolderTree.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include "Views/Kit/Fonts.h"
#include "Views/Kit/Theme.h"
#include "Views/Main/FolderTreeLook.h"
#include "Views/Kit/TextLine.h"

namespace quillane {

FolderRowView::FolderRowView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("folderRow"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    icon_ = new TextLine(Fonts::text(11), Theme::secondary(), this);
    icon_->setFixedWidth(16);
    name_ = new TextLine(Fonts::text(12), Theme::text(), this);
    name_->setObjectName(QStringLiteral("folderName"));
    arrow_ = new TextLine(Fonts::text(9, QFont::DemiBold), Theme::tertiary(), this);
    arrow_->setSymbol(QStringLiteral("arrow.left"));
    arrow_->setObjectName(QStringLiteral("folderTargetArrow"));
    card_ = new TextLine(Fonts::text(10.5), Theme::tertiary(), this);
    card_->setObjectName(QStringLiteral("folderTargetWord"));
    badge_ = new TextLine(Fonts::text(9.5, QFont::DemiBold), Theme::accent(), this);
    badge_->setCapsule(Theme::opacity(Theme::accent(), 0.12), 6, 15);
    badge_->setObjectName(QStringLiteral("folderNewBadge"));
    row->addWidget(icon_);
    row->addWidget(name_);
    row->addWidget(arrow_);
    row->addWidget(card_);
    row->addStretch(1);
    row->addWidget(badge_);
}

void FolderRowView::display(const FolderNode& node) {
    const PlannedFolderLook look = plannedFolderLook(node.exists, node.isTarget);
    icon_->setSymbol(QString::fromLatin1(look.symbol), toneColor(look.iconTone));
    name_->setText(QString::fromStdString(node.name));
    name_->setColor(toneColor(look.nameTone));
    name_->setFont(Fonts::text(12, look.bold ? QFont::DemiBold : QFont::Normal));
    arrow_->setVisible(look.targetMark);
    card_->setVisible(look.targetMark);
    card_->setText(folderTreeCardWord());
    badge_->setVisible(look.newBadge);
    badge_->setText(folderTreeNewWord());
    layout()->setContentsMargins(std::max(0, node.depth) * 14, 0, 0, 0);
}

FolderTree::FolderTree(QWidget* parent) : QWidget(parent), rows_(nullptr) {
    setObjectName(QStringLiteral("folderTree"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(10, 10, 10, 10);
    column->setSpacing(6);
    base_ = new TextLine(Fonts::text(10.5), Theme::tertiary(), this);
    base_->setObjectName(QStringLiteral("folderTreeBase"));
    base_->setElideMode(Qt::ElideMiddle);
    base_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    column->addWidget(base_);
    rowsLayout_ = new QVBoxLayout();
    rowsLayout_->setSpacing(6);
    column->addLayout(rowsLayout_);
    rows_ = KeyedRows<FolderRowView>(rowsLayout_);
    extra_ = new TextLine(Fonts::text(10.5), Theme::tertiary(), this);
    extra_->setObjectName(QStringLiteral("folderTreeExtra"));
    auto* extraRow = new QHBoxLayout();
    extraRow->setContentsMargins(22, 0, 0, 0);
    extraRow->addWidget(extra_);
    column->addLayout(extraRow);
}

void FolderTree::display(const DestinationPlan& plan, const DriveState& drive) {
    const auto base = folderTreeBaseLine(plan.baseURL, drive.info.url);
    base_->setVisible(base.has_value());
    base_->setText(base.value_or(QString()));
    rows_.sync(
        plan.nodes, [](const FolderNode& node) { return QString::fromStdString(node.id()); },
        [this](const FolderNode&) { return new FolderRowView(this); },
        [](FolderRowView* row, const FolderNode& node) { row->display(node); });
    const auto extra = extraFoldersLine(plan.extraFolderCount);
    extra_->setVisible(extra.has_value());
    extra_->setText(extra.value_or(QString()));
}

void FolderTree::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::opacity(Theme::well(), 0.7));
    painter.drawRoundedRect(rect(), 8, 8);
}

}  // namespace quillane
