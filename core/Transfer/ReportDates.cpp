#include "Transfer/ReportDates.h"

#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <memory>

#include "Support/HostTimeZone.h"

namespace quillane::ReportDates {
namespace {

icu::Locale localeFor(AppLanguage language) {
    return language == AppLanguage::en ? icu::Locale("en", "GB") : icu::Locale("nl", "NL");
}

std::string format(icu::DateFormat* formatter, std::chrono::system_clock::time_point time) {
    if (formatter == nullptr) return "";
    // The zone is looked up on every call, so that a change of the machine's zone shows at once.
    formatter->adoptTimeZone(HostTimeZone::current().release());
    const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count();
    icu::UnicodeString text;
    formatter->format(static_cast<UDate>(millis), text);
    std::string out;
    text.toUTF8String(out);
    return out;
}

std::string dateTime(std::chrono::system_clock::time_point time, AppLanguage language,
                     icu::DateFormat::EStyle date, icu::DateFormat::EStyle clock) {
    std::unique_ptr<icu::DateFormat> formatter(
        icu::DateFormat::createDateTimeInstance(date, clock, localeFor(language)));
    return format(formatter.get(), time);
}

}  // namespace

std::string longDateShortTime(std::chrono::system_clock::time_point time, AppLanguage language) {
    return dateTime(time, language, icu::DateFormat::kLong, icu::DateFormat::kShort);
}

std::string mediumTime(std::chrono::system_clock::time_point time, AppLanguage language) {
    return dateTime(time, language, icu::DateFormat::kNone, icu::DateFormat::kMedium);
}

std::string mediumDateShortTime(std::chrono::system_clock::time_point time, AppLanguage language) {
    return dateTime(time, language, icu::DateFormat::kMedium, icu::DateFormat::kShort);
}

std::string shortTime(std::chrono::system_clock::time_point time, AppLanguage language) {
    return dateTime(time, language, icu::DateFormat::kNone, icu::DateFormat::kShort);
}

}  // namespace quillane::ReportDates
