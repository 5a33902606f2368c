#pragma once
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace quillane::Dates {
using TimePoint = std::chrono::system_clock::time_point;

// "2025-03-14T09:26:53Z": UTC, whole seconds (fractions are dropped, toward the past).
std::string iso8601(TimePoint time);
// Reads "YYYY-MM-DDTHH:MM:SS" followed by "Z" or "+HH:MM"/"-HH:MM" (optionally with a
// fraction of a second, which is dropped). Anything else gives no value, and so does a moment
// the clock cannot hold.
std::optional<TimePoint> parseISO8601(std::string_view text);

// Civil date and time in UTC, and back (beyond the clock's range: its first or last moment).
struct Civil {
    int year, month, day, hour, minute, second;
};
Civil utc(TimePoint time);
TimePoint fromUTC(const Civil& civil);
// Days since 1970-01-01 of a proleptic Gregorian date.
long long daysFromCivil(long long year, unsigned month, unsigned day);
}  // namespace quillane::Dates
