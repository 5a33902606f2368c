#include "Views/Kit/ButtonStyle.h"

#include "Views/Kit/Fonts.h"
#include "Views/Kit/Theme.h"

namespace quillane::ButtonStyles {

ButtonStyle primary(bool large) {
    ButtonStyle style;
    style.shape = ButtonStyle::Shape::capsule;
    style.background = Theme::accent();
    style.backgroundDisabled = Theme::opacity(Qt::white, 0.06);
    style.foreground = Theme::onAccent();
    style.foregroundDisabled = Theme::tertiary();
    style.font = large ? Fonts::tracked(Fonts::expanded(Fonts::text(15, QFont::Black)), 2.4)
                       : Fonts::tracked(Fonts::text(13, QFont::Bold), 0.2);
    style.paddingX = large ? 44 : 18;
    style.height = large ? 52 : 32;
    // The normal button keeps the glow's geometry at zero opacity: no visible glow.
    style.glow = large ? Theme::opacity(Theme::accent(), 0.35) : QColor(Qt::transparent);
    style.pressedScale = 0.97;
    style.pressMs = 120;
    return style;
}

ButtonStyle secondary(bool fullWidth) {
    ButtonStyle style;
    style.shape = ButtonStyle::Shape::rounded;
    style.radius = 9;
    style.background = Theme::card();
    style.backgroundPressed = Theme::cardRaised();
    style.backgroundDisabled = Theme::card();
    style.foreground = Theme::text();
    style.foregroundDisabled = Theme::tertiary();
    style.border = Theme::stroke();
    style.font = Fonts::text(12.5, QFont::Medium);
    style.paddingX = 14;
    style.height = 32;
    style.fullWidth = fullWidth;
    return style;
}

ButtonStyle icon() {
    ButtonStyle style;
    style.shape = ButtonStyle::Shape::circle;
    style.background = Qt::transparent;
    style.backgroundHover = Theme::opacity(Qt::white, 0.07);
    style.backgroundPressed = Theme::opacity(Qt::white, 0.07);
    style.backgroundDisabled = Qt::transparent;
    style.foreground = Theme::secondary();
    style.foregroundHover = Theme::text();
    style.foregroundDisabled = Theme::tertiary();
    style.font = Fonts::text(13, QFont::Medium);
    style.height = 28;
    style.fixedWidth = 28;
    return style;
}

ButtonStyle text(const QColor& foreground, const QFont& font, double height) {
    ButtonStyle style;
    style.background = Qt::transparent;
    style.foreground = foreground;
    style.foregroundDisabled = Theme::tertiary();
    style.font = font;
    style.height = height;
    return style;
}

}  // namespace quillane::ButtonStyles
