#include "Views/Main/MainStyles.h"

#include <QKeySequence>

#include "Views/Kit/Fonts.h"
#include "Views/Kit/Theme.h"
#include "Views/Kit/TextLine.h"

namespace quillane::MainStyles {

ButtonStyle plain(const QFont& font, const QColor& color, double height, double fixedWidth) {
    ButtonStyle style;
    style.shape = ButtonStyle::Shape::rounded;
    style.background = Qt::transparent;
    style.backgroundDisabled = Qt::transparent;
    style.foreground = color;
    style.foregroundDisabled = Theme::opacity(color, 0.45);
    style.font = font;
    style.height = height;
    style.fixedWidth = fixedWidth;
    style.symbolSpacing = 5;
    return style;
}

ButtonStyle headerCapsule() {
    ButtonStyle style;
    style.shape = ButtonStyle::Shape::capsule;
    style.background = Theme::opacity(Qt::white, 0.05);
    style.backgroundDisabled = style.background;
    style.border = Theme::stroke();
    style.foreground = Theme::secondary();
    style.foregroundDisabled = Theme::tertiary();
    style.font = Fonts::text(11.5, QFont::DemiBold);
    style.paddingX = 10;
    style.height = 28;
    return style;
}

ButtonStyle sourceChoice(bool selected) {
    ButtonStyle style;
    style.shape = ButtonStyle::Shape::rounded;
    style.radius = 9;
    style.background = selected ? Theme::opacity(Theme::accent(), 0.1) : Theme::card();
    style.backgroundDisabled = style.background;
    style.border = selected ? Theme::opacity(Theme::accent(), 0.5) : Theme::stroke();
    style.foreground = selected ? Theme::accent() : Theme::secondary();
    style.foregroundDisabled = Theme::opacity(style.foreground, 0.5);
    style.font = Fonts::text(12, QFont::Medium);
    style.paddingX = 12;
    style.height = 32;
    style.fullWidth = true;
    return style;
}

QWidget* label(const QString& text, const QFont& font, const QColor& color, QWidget* parent) {
    auto* line = new TextLine(font, color, parent);
    line->setText(text);
    return line;
}

QString shortcutText(const QString& portable) {
    return QKeySequence(portable).toString(QKeySequence::NativeText);
}

}  // namespace quillane::MainStyles
