#include "Template/TemplateContext.h"

#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <cstdio>

#include "Support/HostTimeZone.h"

namespace quillane {

std::string formatTemplateDate(std::chrono::system_clock::time_point date, std::string_view pattern) {
    // A formatter per call: ICU formatters are not shared between threads, and the time zone
    // must be the one current now, not when a cached formatter was made.
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString icuPattern =
        icu::UnicodeString::fromUTF8(icu::StringPiece(pattern.data(), static_cast<int32_t>(pattern.size())));
    icu::SimpleDateFormat formatter(icuPattern, icu::Locale("en_US_POSIX"), status);
    if (U_FAILURE(status)) return {};
    formatter.adoptTimeZone(HostTimeZone::current().release());
    const auto millis = std::chrono::floor<std::chrono::milliseconds>(date).time_since_epoch().count();
    icu::UnicodeString out;
    formatter.format(static_cast<UDate>(millis), out);
    std::string text;
    out.toUTF8String(text);
    return text;
}

std::optional<std::string> TemplateContext::value(std::string_view key) const {
    if (key == "PROJECT") return project;
    if (key == "ROLL") return roll;
    if (key == "CAM") return cameraLetter;
    if (key == "CAMERA") return camera;
    if (key == "CARD") return card;
    if (key == "DATE") return formatTemplateDate(date, dateFormat);
    if (key == "DAY") {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%02lld", static_cast<long long>(day < 1 ? 1 : day));
        return std::string(buffer);
    }
    return std::nullopt;
}

}  // namespace quillane
