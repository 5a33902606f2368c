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

}  // namespace quillane::Markup
