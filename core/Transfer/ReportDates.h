#pragma once
#include <unicode/utypes.h>

#include <chrono>
#include <memory>
#include <string>

#include "Support/Lang.h"

U_NAMESPACE_BEGIN
class DateFormat;
U_NAMESPACE_END

// Dates and times as a reader of the report (or of the history) expects them, in the machine's
// time zone: British English ("en_GB") or Dutch ("nl_NL") conventions.
namespace quillane::ReportDates {
// Long date with short time: "14 March 2025 at 10:26" / "14 maart 2025 om 10:26".
std::string longDateShortTime(std::chrono::system_clock::time_point time, AppLanguage language);
// Medium time without a date: "10:26:53".
std::string mediumTime(std::chrono::system_clock::time_point time, AppLanguage language);
// Abbreviated date with short time: "14 Mar 2025, 10:26" / "14 mrt 2025, 10:26".
std::string mediumDateShortTime(std::chrono::system_clock::time_point time, AppLanguage language);
// Short time without a date: "10:26".
std::string shortTime(std::chrono::system_clock::time_point time, AppLanguage language);

// One of the styles above in one language and in the machine's zone as it is when made: for
// lists that write hundreds of dates without building a formatter (and looking up the zone)
// for each. Not for use on two threads at once.
class Formatter {
public:
    enum class Style { longDateShortTime, mediumTime, mediumDateShortTime, shortTime };
    Formatter(Style style, AppLanguage language);
    ~Formatter();
    Formatter(const Formatter&) = delete;
    Formatter& operator=(const Formatter&) = delete;
    std::string operator()(std::chrono::system_clock::time_point time) const;

private:
    std::unique_ptr<U_ICU_NAMESPACE::DateFormat> format_;
};
}  // namespace quillane::ReportDates
