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

std::pair<icu::DateFormat::EStyle, icu::DateFormat::EStyle> stylesOf(Formatter::Style style) {
    switch (style) {
    case Formatter::Style::longDateShortTime: return {icu::DateFormat::kLong, icu::DateFormat::kShort};
    case Formatter::Style::mediumTime: return {icu::DateFormat::kNone, icu::DateFormat::kMedium};
    case Formatter::Style::mediumDateShortTime: return {icu::DateFormat::kMedium, icu::DateFormat::kShort};
    case Formatter::Style::shortTime: return {icu::DateFormat::kNone, icu::DateFormat::kShort};
    }
    return {icu::DateFormat::kMedium, icu::DateFormat::kShort};
}

}  // namespace

Formatter::Formatter(Style style, AppLanguage language) {
    const auto [date, clock] = stylesOf(style);
    format_.reset(icu::DateFormat::createDateTimeInstance(date, clock, localeFor(language)));
    // The zone is looked up when the formatter is made, so that a change of the machine's zone shows
    // with the next one.
    if (format_) format_->adoptTimeZone(HostTimeZone::current().release());
}

Formatter::~Formatter() = default;

std::string Formatter::operator()(std::chrono::system_clock::time_point time) const {
    if (!format_) return "";
    const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count();
    icu::UnicodeString text;
    format_->format(static_cast<UDate>(millis), text);
    std::string out;
    text.toUTF8String(out);
    return out;
}

std::string longDateShortTime(std::chrono::system_clock::time_point time, AppLanguage language) {
    return Formatter(Formatter::Style::longDateShortTime, language)(time);
}

std::string mediumTime(std::chrono::system_clock::time_point time, AppLanguage language) {
    return Formatter(Formatter::Style::mediumTime, language)(time);
}

std::string mediumDateShortTime(std::chrono::system_clock::time_point time, AppLanguage language) {
    return Formatter(Formatter::Style::mediumDateShortTime, language)(time);
}

std::string shortTime(std::chrono::system_clock::time_point time, AppLanguage language) {
    return Formatter(Formatter::Style::shortTime, language)(time);
}

}  // namespace quillane::ReportDates
