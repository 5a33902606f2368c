#pragma once
#include <string>
#include <string_view>

namespace quillane::Markup {
// Escapes outside text for XML and HTML: "&", "<", ">" and the double quote, in that order,
// and nothing else. Invalid UTF-8 becomes U+FFFD, and characters that XML 1.0 cannot carry
// at all (C0 controls other than tab, line feed and carriage return) become U+FFFD too, so
// a hostile name from a card always yields a well-formed document.
std::string escape(std::string_view text);
}  // namespace quillane::Markup
