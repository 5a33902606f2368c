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

}  // namespace

std::string longDateShortTime(std::chrono::system_clock::time_point time, AppLanguage language) {
    std::unique_ptr<icu::DateFormat> formatter(
        icu::DateFormat::createDateTimeInstance(icu::DateFormat::kLong, icu::DateFormat::kShort, localeFor(language)));
    return format(formatter.get(), time);
}

std::string mediumTime(std::chrono::system_clock::time_point time, AppLanguage language) {
    std::unique_ptr<icu::DateFormat> formatter(
        icu::DateFormat::createTimeInstance(icu::DateFormat::kMedium, localeFor(language)));
    return format(formatter.get(), time);
}

}  // namespace quillane::ReportDates
