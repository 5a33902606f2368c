#include "Transfer/ClipInfo.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

namespace quillane {

std::string ClipInfo::summary() const {
    std::vector<std::string> parts;
    char buffer[64];
    if (duration && std::isfinite(*duration) && std::fabs(*duration) < 1e15) {
        const long long t = std::llround(*duration);
        std::snprintf(buffer, sizeof buffer, "%lld:%02lld:%02lld", t / 3600, (t % 3600) / 60, t % 60);
        parts.emplace_back(buffer);
    }
    if (width && height) parts.push_back(std::to_string(*width) + "\u00D7" + std::to_string(*height));
    if (fps && std::isfinite(*fps) && std::fabs(*fps) < 1e15) {
        const double whole = std::round(*fps);
        if (std::fabs(*fps - whole) <= 0.01) {
            parts.push_back(std::to_string(static_cast<long long>(whole)) + " fps");
        } else {
            // to_chars always writes a decimal point; printf would follow the C locale, which the
            // app takes from the desktop and which may write a comma.
            const auto end = std::to_chars(buffer, buffer + sizeof buffer, *fps, std::chars_format::fixed, 2).ptr;
            parts.push_back(std::string(buffer, end) + " fps");
        }
    }
    if (codec) parts.push_back(*codec);

    std::string text;
    for (const auto& part : parts) {
        if (!text.empty()) text += " \u00B7 ";
        text += part;
    }
    return text;
}

}  // namespace quillane
