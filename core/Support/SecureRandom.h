#pragma once
#include <cstddef>
#include <cstdint>

namespace quillane::SecureRandom {
// Fills the buffer from the kernel's cryptographically secure generator (getrandom). Should the
// kernel refuse, a seeded generator fills the rest, so callers never repeat values.
void fill(std::uint8_t* out, std::size_t size);
}  // namespace quillane::SecureRandom
