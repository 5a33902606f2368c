#pragma once
#include <string>
#include <string_view>

namespace quillane::Base64 {
// Standard base64 (RFC 4648 alphabet, "=" padding), on one line.
std::string encode(std::string_view bytes);
}  // namespace quillane::Base64
