#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Roll names: a camera letter followed by a zero-padded number ("A001"); sound cards use "S".
namespace quillane::RollNamer {

// Padding never goes beyond this many digits, whatever the digits setting holds.
inline constexpr std::int64_t maxDigits = 20;

struct Roll {
    std::string letter;
    std::int64_t number = 0;
    bool operator==(const Roll&) const = default;
};

// The upper-cased letter text followed by the number (negative taken as 0), zero-padded to
// `digits` characters and never cut. Digits of 0 or less pad nothing; more than maxDigits pad to maxDigits.
std::string format(std::string_view letter, std::int64_t number, std::int64_t digits);
// One ASCII letter followed by one or more ASCII digits (case ignored), or nothing.
std::optional<Roll> parse(std::string_view name);
// The roll `by` numbers further (never below 1), formatted with `digits`; a name that does
// not parse is returned unchanged.
std::string step(std::string_view name, std::int64_t by, std::int64_t digits);
// The largest roll number of `letter` with exactly `digits` digits found anywhere in the names
// (case ignored; the letter may not follow an ASCII letter or digit), 0 when there is none.
std::int64_t highestNumber(std::string_view letter, const std::vector<std::string>& names, std::int64_t digits);
// The roll after the highest one used; gaps are not filled, and a roll that is itself among the
// used names (one that outgrew the digits, such as "A1000" with 3 digits) is stepped past.
std::string nextRoll(std::string_view letter, const std::vector<std::string>& usedNames, std::int64_t digits);

}  // namespace quillane::RollNamer
