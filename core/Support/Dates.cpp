#include "Support/Dates.h"

#include <cstdio>

namespace quillane::Dates {
namespace {

long long floorDiv(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

bool digits(std::string_view text, std::size_t at, std::size_t count, int& value) {
    if (at + count > text.size()) return false;
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

bool isLeap(long long y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

// The moment that many seconds after the epoch; none beyond the clock's range (about the
// years 1678 to 2261 with nanosecond ticks), where converting would overflow.
std::optional<TimePoint> fromSeconds(long long seconds) {
    constexpr long long limit = std::chrono::duration_cast<std::chrono::seconds>(TimePoint::duration::max()).count();
    if (seconds > limit || seconds < -limit) return std::nullopt;
    return TimePoint(std::chrono::duration_cast<TimePoint::duration>(std::chrono::seconds(seconds)));
}

long long secondsFromCivil(const Civil& c) {
    const long long days = daysFromCivil(c.year, static_cast<unsigned>(c.month), static_cast<unsigned>(c.day));
    return days * 86400 + c.hour * 3600LL + c.minute * 60LL + c.second;
}

int daysInMonth(long long y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : days[m - 1];
}

}  // namespace

long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = floorDiv(y, 400);
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

Civil utc(TimePoint time) {
    const long long seconds = floorDiv(
        std::chrono::duration_cast<std::chrono::microseconds>(time.time_since_epoch()).count(), 1000000);
    const long long days = floorDiv(seconds, 86400);
    const long long rest = seconds - days * 86400;
    const long long z = days + 719468;
    const long long era = floorDiv(z, 146097);
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return Civil{static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d),
                 static_cast<int>(rest / 3600), static_cast<int>(rest / 60 % 60), static_cast<int>(rest % 60)};
}

TimePoint fromUTC(const Civil& c) {
    const long long seconds = secondsFromCivil(c);
    if (const auto time = fromSeconds(seconds)) return *time;
    return seconds < 0 ? TimePoint::min() : TimePoint::max();
}

std::string iso8601(TimePoint time) {
    const Civil c = utc(time);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02dZ", c.year, c.month, c.day, c.hour,
                  c.minute, c.second);
    return buffer;
}

std::optional<TimePoint> parseISO8601(std::string_view text) {
    Civil c{};
    if (text.size() < 20 || !digits(text, 0, 4, c.year) || text[4] != '-' || !digits(text, 5, 2, c.month) ||
        text[7] != '-' || !digits(text, 8, 2, c.day) || (text[10] != 'T' && text[10] != 't') ||
        !digits(text, 11, 2, c.hour) || text[13] != ':' || !digits(text, 14, 2, c.minute) || text[16] != ':' ||
        !digits(text, 17, 2, c.second))
        return std::nullopt;
    if (c.month < 1 || c.month > 12 || c.day < 1 || c.day > daysInMonth(c.year, c.month) || c.hour > 23 ||
        c.minute > 59 || c.second > 60)
        return std::nullopt;
    std::size_t i = 19;
    if (i < text.size() && text[i] == '.') {
        ++i;
        const std::size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
        if (i == start) return std::nullopt;
    }
    long long offset = 0;
    if (i < text.size() && (text[i] == 'Z' || text[i] == 'z') && i + 1 == text.size()) {
        offset = 0;
    } else if (i + 6 == text.size() && (text[i] == '+' || text[i] == '-') && text[i + 3] == ':') {
        int hh, mm;
        if (!digits(text, i + 1, 2, hh) || !digits(text, i + 4, 2, mm) || hh > 23 || mm > 59) return std::nullopt;
        offset = (hh * 3600LL + mm * 60LL) * (text[i] == '-' ? -1 : 1);
    } else {
        return std::nullopt;
    }
    if (c.second == 60) c.second = 59;  // a leap second reads as the second before it
    return fromSeconds(secondsFromCivil(c) - offset);
}

}  // namespace quillane::Dates
