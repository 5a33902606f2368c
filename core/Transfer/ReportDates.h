#pragma once
#include <chrono>
#include <string>

#include "Support/Lang.h"

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
}  // namespace quillane::ReportDates
