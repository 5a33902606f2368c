#include "Detection/ByteFormat.h"

#include <langinfo.h>

#include <cmath>
#include <cstdio>
#include <limits>

namespace quillane::ByteFormat {
namespace {

struct Unit {
    const char* name;
    double size;
    int fractionDigits;  // KB whole, MB one digit, GB and TB two, as the file-style formatter does
};

constexpr Unit units[] = {
    {"KB", 1e3, 0},
    {"MB", 1e6, 1},
    {"GB", 1e9, 2},
    {"TB", 1e12, 2},
};

// Rounds to the unit's digits and drops trailing zeros ("1.50" shows as "1.5", "2.00" as "2").
std::string number(double value, int digits) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", digits, value);
    std::string text(buffer);
    // printf writes the C locale's decimal separator, which the app takes from the desktop.
    const char* localePoint = ::nl_langinfo(RADIXCHAR);
    const std::string point = localePoint != nullptr && *localePoint != '\0' ? localePoint : ".";
    if (text.find(point) != std::string::npos) {
        while (!text.empty() && text.back() == '0') text.pop_back();
        if (text.ends_with(point)) text.resize(text.size() - point.size());
    }
    return text;
}

}  // namespace

std::string string(std::int64_t bytes) {
    if (bytes == 0) return "Zero KB";
    const bool negative = bytes < 0;
    // Magnitude as a double; the sign is put back in front.
    const double magnitude = negative ? -static_cast<double>(bytes) : static_cast<double>(bytes);
    std::size_t index = 0;
    while (index + 1 < std::size(units) && magnitude >= units[index + 1].size) ++index;
    double value = magnitude / units[index].size;
    // Rounding can reach the next unit (999,999 bytes is "1 MB", not "1000 KB").
    const double scale = std::pow(10.0, units[index].fractionDigits);
    if (index + 1 < std::size(units) && std::round(value * scale) / scale >= 1000.0) {
        ++index;
        value = magnitude / units[index].size;
    }
    std::string text = number(value, units[index].fractionDigits);
    // A count of a few bytes is at least "1 KB": a non-empty file never reads as nothing.
    if (text == "0") text = "1";
    return (negative ? "-" : "") + text + " " + units[index].name;
}

std::string rate(double bytesPerSecond) {
    if (!std::isfinite(bytesPerSecond) || !(bytesPerSecond > 0)) return "\u2014";
    constexpr double limit = 9.2e18;  // clamp below 2^63 so the conversion stays defined
    const double clamped = bytesPerSecond < limit ? bytesPerSecond : limit;
    return string(static_cast<std::int64_t>(clamped)) + "/s";
}

}  // namespace quillane::ByteFormat
