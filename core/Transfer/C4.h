#pragma once
#include <string>
#include <string_view>

namespace quillane::C4 {
// The C4 identifier of the bytes: "c4" and the SHA-512 digest written in base 58, padded
// on the left with "1" to 88 digits. Always 90 characters.
std::string identifier(std::string_view bytes);
}  // namespace quillane::C4
