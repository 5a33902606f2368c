#pragma once
#include <string>
#include <string_view>

namespace quillane::Markup {
// Escapes outside text for XML and HTML: "&", "<", ">" and the double quote, in that order,
// and nothing else. Invalid UTF-8 becomes U+FFFD, and characters that XML 1.0 cannot carry
// at all (C0 controls other than tab, line feed and carriage return) become U+FFFD too, so
// a hostile name from a card always yields a well-formed document.
std::string escape(std::string_view text);

// What a document loses of a name written into it. A name that is not valid UTF-8 comes back with
// U+FFFD; a control character (tab, line feed and carriage return included: readers fold line ends
// and blanks) or U+FFFE/U+FFFF does not come back as it was. Either way the name read back is not
// the name on disk.
enum class Loss { none, invalidUtf8, controlCharacter };
Loss loss(std::string_view text);
}  // namespace quillane::Markup
