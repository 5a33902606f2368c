#include "Views/StructureEditor/TreePlaceRows.h"

#include <QLabel>

#include <QHBoxLayout>
#include <QPainter>

#include "Support/Lang.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/SymbolView.h"
#include "Views/Kit/TextLabel.h"
#include "Views/Kit/Theme.h"
#include "Views/StructureEditor/TreeRowParts.h"

namespace quillane {

DriveRow::DriveRow(ObservableDraft& draft, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("driveRow"));
    setFixedHeight(38);
    setAcceptDrops(true);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(rowIndent(0), 0, 8, 0);
    row->setSpacing(8);
    row->addWidget(new SymbolView(QStringLiteral("externaldrive.fill"), 13, Theme::secondary(), QFont::Normal, this));
    row->addWidget(new TextLabel(QStringLiteral("SSD"), Fonts::text(13, QFont::DemiBold), Theme::secondary(), this));
    cardBadge_ = new Capsule(cardBadgeLook(), this);
    row->addWidget(cardBadge_);
    row->addStretch(1);
    addMenu_ = new MenuButton(addMenuStyle(), qtext(L("Map", "Folder")), QStringLiteral("plus"),
                              [&draft](QMenu& menu) { fillAddMenu(menu, draft, std::nullopt); }, this);
    addMenu_->setObjectName(QStringLiteral("addMenu"));
    addMenu_->setToolTip(qtext(L("Map toevoegen", "Add folder")));
    row->addWidget(addMenu_);
}

void DriveRow::refresh(bool cardsHere, bool dropTarget) {
    cardBadge_->setVisible(cardsHere);
    dropTarget_ = dropTarget;
    update();
}

void DriveRow::paintEvent(QPaintEvent*) {
    if (!dropTarget_) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::opacity(Theme::accent(), 0.12));
    painter.drawRoundedRect(QRectF(rect()), 9, 9);
}

PlaceRow::PlaceRow(TreeRowLook::Kind kind, QWidget* parent) : QWidget(parent) {
    const bool roll = kind == TreeRowLook::Kind::roll;
    setObjectName(roll ? QStringLiteral("rollRow") : QStringLiteral("soundRow"));
    TreeRowLook shape;
    shape.kind = kind;
    setMinimumHeight(shape.height());
    const QColor tint = roll ? Theme::accent() : Theme::sound();
    auto* row = new QHBoxLayout(this);
    row->setSpacing(8);
    row->addWidget(new SymbolView(roll ? QStringLiteral("sdcard.fill") : QStringLiteral("waveform"), 13, tint,
                                  QFont::Normal, this));
    auto* names = new TextLabel(roll ? QStringLiteral("A001, A002, A003 \u2026") : QStringLiteral("S001, S002 \u2026"),
                                Fonts::text(13, QFont::DemiBold), tint, this);
    names->setMinimumWidth(names->sizeHint().width());
    row->addWidget(names);
    // Read whole: in a narrow window the explanation takes a second line.
    QLabel* detail = wrappingLabel(roll ? qtext(L("elke kaart een eigen map \u00b7 ARRI en RED houden hun eigen reelmap",
                                                  "each card gets its own folder \u00b7 ARRI and RED keep their own reel folder"))
                                        : qtext(L("elke geluidskaart een eigen map", "each sound card gets its own folder")),
                                   Fonts::text(11.5), Theme::tertiary(), Qt::AlignLeft | Qt::AlignVCenter, this);
    detail->setObjectName(QStringLiteral("placeDetail"));
    row->addWidget(detail, 1);
}

void PlaceRow::refresh(int depth) { layout()->setContentsMargins(rowIndent(depth), 0, 8, 0); }

}  // namespace quillane
