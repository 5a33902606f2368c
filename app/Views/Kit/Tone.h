#pragma once
#include <QColor>
#include <QString>

namespace quillane {

// The named colour a decision asks for; the widget maps it to the theme.
enum class Tone { text, secondary, tertiary, accent, warning, sound, danger, onAccent };

// A small coloured capsule with a word in it.
struct Tag {
    QString text;
    Tone tone = Tone::secondary;
    bool operator==(const Tag&) const = default;
};

// The theme's colour of a tone.
QColor toneColor(Tone tone);

}  // namespace quillane
