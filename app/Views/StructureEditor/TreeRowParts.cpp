#include "Views/StructureEditor/TreeRowParts.h"

#include <QFontMetricsF>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "Support/Lang.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/Symbols.h"
#include "Views/Kit/Theme.h"
#include "Views/StructureEditor/FolderRowLook.h"
#include "Views/StructureEditor/FolderVariable.h"
#include "Views/StructureEditor/ObservableDraft.h"

namespace quillane {

CapsuleLook cardBadgeLook() {
    return {qtext(L("kaarten komen hierin", "cards go here")), {}, Theme::onAccent(), Theme::accent(),
            Fonts::text(10.5, QFont::DemiBold)};
}

CapsuleLook soundBadgeLook() {
    return {qtext(L("geluid komt hierin", "sound goes here")), QStringLiteral("waveform"), QColor(6, 18, 31),
            Theme::sound(), Fonts::text(10.5, QFont::DemiBold)};
}

CapsuleLook chipLook(const QString& symbol, const QString& example) {
    return {example, symbol, Theme::accent(), Theme::opacity(Theme::accent(), 0.13), Fonts::text(13, QFont::DemiBold),
            10.5, 9, 26, 6};
}

Capsule::Capsule(CapsuleLook look, QWidget* parent) : QWidget(parent), look_(std::move(look)) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void Capsule::setLook(CapsuleLook look) {
    look_ = std::move(look);
    updateGeometry();
    update();
}

QSize Capsule::sizeHint() const {
    double width = QFontMetricsF(look_.font).horizontalAdvance(look_.text) + 2 * look_.paddingX;
    if (!look_.symbol.isEmpty()) width += Symbols::side(look_.symbolPx) + look_.spacing;
    return QSize(static_cast<int>(std::ceil(width)), static_cast<int>(look_.height));
}

void Capsule::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = rect();
    painter.setPen(Qt::NoPen);
    painter.setBrush(look_.background);
    painter.drawRoundedRect(frame, frame.height() / 2, frame.height() / 2);
    double x = look_.paddingX;
    if (!look_.symbol.isEmpty()) {
        const double side = Symbols::side(look_.symbolPx);
        Symbols::paint(painter, QRectF(x, (frame.height() - side) / 2, side, side), look_.symbol, look_.foreground,
                       QFont::DemiBold);
        x += side + look_.spacing;
    }
    painter.setPen(look_.foreground);
    painter.setFont(look_.font);
    painter.drawText(QRectF(x, 0, frame.width() - x, frame.height()), Qt::AlignVCenter | Qt::AlignLeft, look_.text);
}

MenuButton::MenuButton(const ButtonStyle& style, const QString& text, const QString& symbol,
                       std::function<void(QMenu&)> fill, QWidget* parent)
    : StyledButton(style, text, symbol, parent), fill_(std::move(fill)) {
    connect(this, &QAbstractButton::clicked, this, [this] { freshMenu()->popup(mapToGlobal(rect().bottomLeft())); });
}

QMenu* MenuButton::freshMenu() {
    if (menu_) menu_->deleteLater();
    menu_ = new QMenu(this);
    fill_(*menu_);
    return menu_;
}

ButtonStyle addMenuStyle() {
    ButtonStyle style = ButtonStyles::text(Theme::accent(), Fonts::text(11.5, QFont::DemiBold), 24);
    style.paddingX = 4;
    style.symbolSpacing = 3;
    return style;
}

ButtonStyle moreMenuStyle() {
    ButtonStyle style = addMenuStyle();
    style.foreground = Theme::secondary();
    style.foregroundHover = Theme::text();
    style.font = Fonts::text(12, QFont::DemiBold);
    style.fixedWidth = 24;
    style.height = 22;
    return style;
}

void fillAddMenu(QMenu& menu, ObservableDraft& draft, const std::optional<UUID>& parent) {
    QPointer<ObservableDraft> target(&draft);
    auto add = [target, parent](const std::string& pattern) {
        if (target) target->edit([&](FolderTreeDraft& d) { d.add(pattern, parent); });
    };
    // The new folder's name is chosen at the click, in the language of that moment.
    QObject::connect(menu.addAction(qtext(L("Nieuwe map", "New folder"))), &QAction::triggered, &menu,
                     [add] { add(newFolderName()); });
    menu.addSeparator();
    for (const auto& variable : FolderVariable::all())
        QObject::connect(menu.addAction(qtext(variable.title())), &QAction::triggered, &menu,
                         [add, pattern = variable.pattern] { add(pattern); });
}

int rowIndent(int depth) { return 10 + 22 * std::clamp(depth, 0, 14); }

}  // namespace quillane
