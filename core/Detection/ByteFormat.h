#pragma once
#include <cstdint>
#include <string>

namespace quillane::ByteFormat {
// A byte count in decimal units, KB to TB: "Zero KB", "1 KB", "250 MB", "1.5 GB", "2 TB".
std::string string(std::int64_t bytes);
// Bytes per second, e.g. "250 MB/s"; "—" when the rate is not a positive finite number.
std::string rate(double bytesPerSecond);
}  // namespace quillane::ByteFormat
