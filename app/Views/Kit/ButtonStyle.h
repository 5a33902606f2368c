#pragma once
#include <QColor>
#include <QFont>

namespace quillane {

// One look of a painted button, passed as a value (no subclass per variant). Sizes in logical pixels.
struct ButtonStyle {
    enum class Shape { capsule, rounded, circle };

    Shape shape = Shape::rounded;
    double radius = 0;  // corner radius of a rounded shape
    QColor background;
    QColor backgroundHover;  // invalid: as background
    QColor backgroundPressed;
    QColor backgroundDisabled;
    QColor foreground;
    QColor foregroundHover;  // invalid: as foreground
    QColor foregroundDisabled;
    QColor border;  // transparent or invalid: no border
    double borderWidth = 1;
    QColor glow;  // the accent glow below an enabled button; invalid or transparent: none
    double glowRadius = 18;
    double glowOffsetY = 4;
    QFont font;
    double paddingX = 0;
    double height = 32;
    double fixedWidth = 0;     // > 0: a fixed square or width (icon buttons)
    bool fullWidth = false;    // takes all the width offered
    double pressedScale = 1.0;  // scaled about the centre while pressed
    int pressMs = 0;           // ease-out duration of the press scale
    double symbolSpacing = 6;  // between a leading symbol and the text
};

namespace ButtonStyles {
// The filled accent button of a place's main action; `large` for the one big action of a view.
ButtonStyle primary(bool large = false);
// The outlined card-coloured button for everything else.
ButtonStyle secondary(bool fullWidth = false);
// The round 28 × 28 icon button with a hover highlight (header tools).
ButtonStyle icon();
// A borderless text button (no ground, no border) in a colour and font.
ButtonStyle text(const QColor& foreground, const QFont& font, double height);
}  // namespace ButtonStyles

}  // namespace quillane
