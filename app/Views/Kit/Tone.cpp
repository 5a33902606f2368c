#include "Views/Kit/Tone.h"

#include "Views/Kit/Theme.h"

namespace quillane {

QColor toneColor(Tone tone) {
    switch (tone) {
        case Tone::text: return Theme::text();
        case Tone::secondary: return Theme::secondary();
        case Tone::tertiary: return Theme::tertiary();
        case Tone::accent: return Theme::accent();
        case Tone::warning: return Theme::warning();
        case Tone::sound: return Theme::sound();
        case Tone::danger: return Theme::danger();
        case Tone::onAccent: return Theme::onAccent();
    }
    return Theme::text();
}

}  // namespace quillane
