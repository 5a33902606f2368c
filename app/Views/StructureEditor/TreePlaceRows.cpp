#include "Views/StructureEditor/TreePlaceRows.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

#include "Settings/Lang.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/Symbols.h"
#include "Views/Kit/Theme.h"
#include "Views/StructureEditor/TreeRowParts.h"

namespace quillane {

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

QLabel* symbolLabel(const QString& name, const QColor& color, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setPixmap(Symbols::pixmap(name, Symbols::side(13), color, QFont::Normal, parent->devicePixelRatioF()));
    return label;
}

QLabel* textLabel(const QString& text, const QFont& font, const QColor& color, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    return label;
}

}  // namespace

DriveRow::DriveRow(ObservableDraft& draft, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("driveRow"));
    setFixedHeight(38);
    setAcceptDrops(true);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(rowIndent(0), 0, 8, 0);
    row->setSpacing(8);
    row->addWidget(symbolLabel(QStringLiteral("externaldrive.fill"), Theme::secondary(), this));
    row->addWidget(textLabel(QStringLiteral("SSD"), Fonts::text(13, QFont::DemiBold), Theme::secondary(), this));
    cardBadge_ = new Capsule(cardBadgeLook(), this);
    row->addWidget(cardBadge_);
    row->addStretch(1);
    addMenu_ = new MenuButton(addMenuStyle(), q(L("Map", "Folder")), QStringLiteral("plus"),
                              [&draft](QMenu& menu) { fillAddMenu(menu, draft, std::nullopt); }, this);
    addMenu_->setObjectName(QStringLiteral("addMenu"));
    addMenu_->setToolTip(q(L("Map toevoegen", "Add folder")));
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

PlaceRow::PlaceRow(TreeRow::Kind kind, QWidget* parent) : QWidget(parent) {
    const bool roll = kind == TreeRow::Kind::roll;
    setObjectName(roll ? QStringLiteral("rollRow") : QStringLiteral("soundRow"));
    TreeRow shape;
    shape.kind = kind;
    setFixedHeight(shape.height());
    const QColor tint = roll ? Theme::accent() : Theme::sound();
    auto* row = new QHBoxLayout(this);
    row->setSpacing(8);
    row->addWidget(symbolLabel(roll ? QStringLiteral("sdcard.fill") : QStringLiteral("waveform"), tint, this));
    row->addWidget(textLabel(roll ? QStringLiteral("A001, A002, A003 \u2026") : QStringLiteral("S001, S002 \u2026"),
                             Fonts::text(13, QFont::DemiBold), tint, this));
    auto* detail = textLabel(roll ? q(L("elke kaart een eigen map \u00b7 ARRI en RED houden hun eigen reelmap",
                                        "each card gets its own folder \u00b7 ARRI and RED keep their own reel folder"))
                                  : q(L("elke geluidskaart een eigen map", "each sound card gets its own folder")),
                             Fonts::text(11.5), Theme::tertiary(), this);
    detail->setMinimumWidth(0);
    detail->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    row->addWidget(detail, 1);
}

void PlaceRow::refresh(int depth) { layout()->setContentsMargins(rowIndent(depth), 0, 8, 0); }

}  // namespace quillane
