#include "Views/StructureEditor/FolderRow.h"

#include <QApplication>
#include <QDrag>
#include <QEnterEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

#include "Support/Lang.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/SymbolView.h"
#include "Views/Kit/Symbols.h"
#include "Views/Kit/TextLabel.h"
#include "Views/Kit/Theme.h"
#include "Views/StructureEditor/FolderRowLook.h"
#include "Views/StructureEditor/ObservableDraft.h"
#include "Views/StructureEditor/TreeRowParts.h"

namespace quillane {

namespace {

// What the pointer carries while a folder is dragged: its symbol and sample name on a small card.
QPixmap dragPreview(const QString& name, qreal ratio) {
    const QFont font = Fonts::text(13, QFont::Medium);
    const double side = Symbols::side(13);
    const QSizeF size(8 + side + 6 + QFontMetricsF(font).horizontalAdvance(name) + 8, 8 + std::max(side, 16.0) + 8);
    QPixmap pixmap((size * ratio).toSize());
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::cardRaised());
    painter.drawRoundedRect(QRectF(QPointF(0, 0), size), 8, 8);
    Symbols::paint(painter, QRectF(8, (size.height() - side) / 2, side, side), QStringLiteral("folder.fill"),
                   Theme::accent());
    painter.setPen(Theme::text());
    painter.setFont(font);
    painter.drawText(QRectF(8 + side + 6, 0, size.width(), size.height()), Qt::AlignVCenter | Qt::AlignLeft, name);
    return pixmap;
}

}  // namespace

FolderRow::FolderRow(ObservableDraft& draft, const UUID& folder, QWidget* parent)
    : QWidget(parent), draft_(draft), folder_(folder) {
    setObjectName(QStringLiteral("folderRow"));
    setFixedHeight(38);
    setAcceptDrops(true);
    auto* row = new QHBoxLayout(this);
    row->setSpacing(8);

    icon_ = new SymbolView(QStringLiteral("folder.fill"), 13, Theme::secondary(), QFont::Normal, this);
    nameField_ = new QLineEdit(this);
    nameField_->setObjectName(QStringLiteral("nameField"));
    // 220 wide where the row has room; in a narrow window it gives way before the row's buttons do.
    nameField_->setFixedHeight(26);
    nameField_->setMinimumWidth(72);
    nameField_->setMaximumWidth(220);
    nameField_->setFont(Fonts::text(13, QFont::Medium));
    nameField_->setPlaceholderText(qtext(L("Mapnaam", "Folder name")));
    nameField_->setAcceptDrops(false);  // a folder dropped on the field goes to the row
    // The row paints the field's ground (it follows the pointer over the row).
    nameField_->setStyleSheet(QStringLiteral("QLineEdit { border: none; background: transparent; padding: 0 8px; }"));
    connect(nameField_, &QLineEdit::textEdited, this, [this](const QString& text) {
        draft_.edit([&](FolderTreeDraft& d) { d.rename(folder_, text.toStdString()); });
    });

    chip_ = new Capsule({}, this);
    chipCaption_ = new TextLabel({}, Fonts::text(11), Theme::tertiary(), this);
    cardBadge_ = new Capsule(cardBadgeLook(), this);
    soundBadge_ = new Capsule(soundBadgeLook(), this);
    subfolderMenu_ = new MenuButton(addMenuStyle(), qtext(L("Submap", "Subfolder")), QStringLiteral("plus"),
                                    [this](QMenu& menu) { fillAddMenu(menu, draft_, folder_); }, this);
    subfolderMenu_->setObjectName(QStringLiteral("subfolderMenu"));
    moreMenu_ = new MenuButton(moreMenuStyle(), {}, QStringLiteral("ellipsis"),
                               [this](QMenu& menu) { fillMoreMenu(menu); }, this);
    moreMenu_->setObjectName(QStringLiteral("moreMenu"));

    for (QWidget* part : {static_cast<QWidget*>(icon_), static_cast<QWidget*>(nameField_),
                          static_cast<QWidget*>(chip_), static_cast<QWidget*>(chipCaption_),
                          static_cast<QWidget*>(cardBadge_), static_cast<QWidget*>(soundBadge_)})
        row->addWidget(part, part == nameField_ ? 1 : 0);
    row->addStretch(1);
    row->addWidget(subfolderMenu_);
    row->addWidget(moreMenu_);
}

void FolderRow::refresh(int depth, const QString& example, bool dropTarget) {
    depth_ = depth;
    example_ = example;
    dropTarget_ = dropTarget;
    applyLook();
}

void FolderRow::applyLook() {
    layout()->setContentsMargins(rowIndent(depth_), 0, 8, 0);
    const auto look = folderRowLook(draft_.draft(), folder_, hovering_, dropTarget_);
    const auto* node = draft_.draft().node(folder_);
    // Each part is shown or hidden once, to its final state: a part shown and hidden again in one
    // pass makes the row briefly wider, and the page around it reflows and scrolls under the pointer.
    const bool shown = look && node;
    fieldShown_ = shown && !look->variable;
    icon_->setVisible(shown);
    moreMenu_->setVisible(shown);
    nameField_->setVisible(fieldShown_);
    chip_->setVisible(shown && !fieldShown_);
    chipCaption_->setVisible(shown && !fieldShown_);
    cardBadge_->setVisible(shown && look->isCard);
    soundBadge_->setVisible(shown && look->soundBadge);
    subfolderMenu_->setVisible(shown && look->subfolderMenu);
    if (!shown) return;

    icon_->setColor(look->isCard ? Theme::accent() : Theme::secondary());
    if (look->variable) {
        chip_->setLook(chipLook(qtext(look->variable->symbol), example_));
        chip_->setToolTip(qtext(chipTooltip(*look->variable)));
        chipCaption_->setText(qtext(chipCaption(*look->variable)));
    } else if (const QString pattern = qtext(node->pattern); nameField_->text() != pattern) {
        // Only a change from elsewhere is written into the field; typing keeps its cursor.
        nameField_->setText(pattern);
    }
    update();
}

void FolderRow::fillMoreMenu(QMenu& menu) {
    const FolderMenu items = folderMenu(draft_.draft(), folder_);
    auto add = [this](QMenu& into, const FolderMenuItem& item) {
        QAction* action = into.addAction(qtext(item.title));
        action->setEnabled(item.enabled);
        connect(action, &QAction::triggered, this, [this, item] {
            const QString example = example_;
            draft_.edit([&](FolderTreeDraft& d) { perform(d, folder_, item, example.toStdString()); });
        });
    };
    for (const auto& item : items.marks) add(menu, item);
    QMenu* variables = menu.addMenu(qtext(items.variablesTitle));
    for (const auto& item : items.variables) add(*variables, item);
    for (const auto& item : items.naming) add(menu, item);
    menu.addSeparator();
    for (const auto& item : items.order) add(menu, item);
    menu.addSeparator();
    add(menu, items.remove);
}

void FolderRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const auto look = folderRowLook(draft_.draft(), folder_, hovering_, dropTarget_);
    if (!look) return;
    if (look->fill == FolderRowLook::Fill::dropTarget) painter.setBrush(Theme::opacity(Theme::accent(), 0.14));
    else if (look->fill == FolderRowLook::Fill::hover) painter.setBrush(Theme::opacity(Qt::white, 0.035));
    else painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()), 9, 9);
    if (fieldShown_) {
        painter.setBrush(Theme::opacity(Qt::white, hovering_ ? 0.07 : 0.035));
        painter.drawRoundedRect(QRectF(nameField_->geometry()), 6, 6);
    }
}

void FolderRow::enterEvent(QEnterEvent*) {
    hovering_ = true;
    applyLook();
}

void FolderRow::leaveEvent(QEvent*) {
    hovering_ = false;
    applyLook();
}

void FolderRow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) pressAt_ = event->position().toPoint();
    QWidget::mousePressEvent(event);
}

void FolderRow::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton) ||
        (event->position().toPoint() - pressAt_).manhattanLength() < QApplication::startDragDistance())
        return;
    auto* drag = new QDrag(this);
    auto* payload = new QMimeData;
    payload->setText(QString::fromStdString(folder_.text()));
    drag->setMimeData(payload);
    drag->setPixmap(dragPreview(example_, devicePixelRatioF()));
    drag->exec(Qt::MoveAction);
}

}  // namespace quillane
