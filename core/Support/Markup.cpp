#include "Support/Markup.h"

#include "Support/Text.h"

namespace quillane::Markup {

std::string escape(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (char32_t c : Text::decode(text)) {
        switch (c) {
            case U'&': out += "&amp;"; break;
            case U'<': out += "&lt;"; break;
            case U'>': out += "&gt;"; break;
            case U'"': out += "&quot;"; break;
            default:
                if ((c < 0x20 && c != U'\t' && c != U'\n' && c != U'\r') || c == 0xFFFE || c == 0xFFFF)
                    c = 0xFFFD;
                Text::appendScalar(out, c);
        }
    }
    return out;
}

Loss loss(std::string_view text) {
    if (!Text::isValidUtf8(text)) return Loss::invalidUtf8;
    // On valid UTF-8 the bytes tell: C0 is one byte below 0x20, C1 is C2 80–9F, U+FFFE/U+FFFF are
    // EF BF BE/BF, and neither C2 nor EF is ever a continuation byte.
    const auto byte = [&](std::size_t i) { return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u; };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned b = byte(i);
        if (b < 0x20 || (b == 0xC2 && byte(i + 1) >= 0x80 && byte(i + 1) <= 0x9F) ||
            (b == 0xEF && byte(i + 1) == 0xBF && (byte(i + 2) == 0xBE || byte(i + 2) == 0xBF)))
            return Loss::controlCharacter;
    }
    return Loss::none;
}

}  // namespace quillane::Markup
