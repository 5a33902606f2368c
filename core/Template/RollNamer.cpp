#include "Template/RollNamer.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <limits>

#include "Support/Text.h"

namespace quillane::RollNamer {
namespace {

constexpr std::int64_t maxNumber = std::numeric_limits<std::int64_t>::max();

bool isAsciiDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
bool isAsciiUpperOrDigit(char32_t c) { return isAsciiDigit(c) || (c >= U'A' && c <= U'Z'); }
// Any decimal digit of any script, as a pattern's \d matches it.
bool isDecimalDigit(char32_t c) { return u_charType(static_cast<UChar32>(c)) == U_DECIMAL_DIGIT_NUMBER; }

// The value of a run of ASCII digits, or nothing when another digit is in it or it does not fit.
template <typename Chars>
std::optional<std::int64_t> decimalValue(const Chars& digits) {
    if (digits.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (auto c : digits) {
        if (!isAsciiDigit(static_cast<char32_t>(c))) return std::nullopt;
        const int digit = static_cast<int>(c - '0');
        if (value > (maxNumber - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

std::int64_t saturatingAdd(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) return b > 0 ? maxNumber : std::numeric_limits<std::int64_t>::min();
    return sum;
}

}  // namespace

std::string format(std::string_view letter, std::int64_t number, std::int64_t digits) {
    std::string value = std::to_string(std::max<std::int64_t>(number, 0));
    const auto width = static_cast<std::size_t>(std::clamp<std::int64_t>(digits, 0, maxDigits));
    if (value.size() < width) value.insert(0, width - value.size(), '0');
    return Text::uppercased(letter) + value;
}

std::optional<Roll> parse(std::string_view name) {
    const std::string upper = Text::uppercased(name);
    if (upper.size() < 2 || upper[0] < 'A' || upper[0] > 'Z') return std::nullopt;
    const auto number = decimalValue(std::string_view(upper).substr(1));
    if (!number) return std::nullopt;
    return Roll{upper.substr(0, 1), *number};
}

std::string step(std::string_view name, std::int64_t by, std::int64_t digits) {
    const auto roll = parse(name);
    if (!roll) return std::string(name);
    return format(roll->letter, std::max<std::int64_t>(saturatingAdd(roll->number, by), 1), digits);
}

std::int64_t highestNumber(std::string_view letter, const std::vector<std::string>& names, std::int64_t digits) {
    // The letter, not preceded by an ASCII letter or digit, followed by exactly `width` decimal
    // digits and no further ASCII digit; matches do not overlap.
    const auto width = static_cast<std::size_t>(std::clamp<std::int64_t>(digits, 1, maxDigits));
    const std::u32string key = Text::decode(Text::uppercased(letter));
    std::int64_t highest = 0;
    for (const auto& name : names) {
        const std::u32string text = Text::decode(Text::uppercased(name));
        const std::size_t length = key.size() + width;
        std::size_t at = 0;
        while (at + length <= text.size()) {
            const bool matches = (at == 0 || !isAsciiUpperOrDigit(text[at - 1])) &&
                                 text.compare(at, key.size(), key) == 0 &&
                                 std::all_of(text.begin() + static_cast<std::ptrdiff_t>(at + key.size()),
                                             text.begin() + static_cast<std::ptrdiff_t>(at + length), isDecimalDigit) &&
                                 (at + length == text.size() || !isAsciiDigit(text[at + length]));
            if (!matches) {
                ++at;
                continue;
            }
            if (auto number = decimalValue(std::u32string_view(text).substr(at + key.size(), width)))
                highest = std::max(highest, *number);
            at += length;
        }
    }
    return highest;
}

namespace {
// True when the roll name stands in one of the names as a whole roll: not preceded by an ASCII
// letter or digit and not followed by a digit ("A1000" is in "A1000" and "DAY_A1000", not in "A10000").
bool isUsed(const std::string& roll, const std::vector<std::string>& names) {
    for (const auto& name : names) {
        const std::string upper = Text::uppercased(name);
        for (auto at = upper.find(roll); at != std::string::npos; at = upper.find(roll, at + 1)) {
            const auto end = at + roll.size();
            const bool clearBefore = at == 0 || !isAsciiUpperOrDigit(static_cast<unsigned char>(upper[at - 1]));
            const bool clearAfter = end == upper.size() || !isAsciiDigit(static_cast<unsigned char>(upper[end]));
            if (clearBefore && clearAfter) return true;
        }
    }
    return false;
}
}  // namespace

std::string nextRoll(std::string_view letter, const std::vector<std::string>& usedNames, std::int64_t digits) {
    // At the very top of the range the highest number is offered again rather than wrapping.
    std::int64_t number = saturatingAdd(highestNumber(letter, usedNames, digits), 1);
    std::string roll = format(letter, number, digits);
    // Numbers that outgrow the digits setting ("A1000" after "A999") are not counted by
    // highestNumber; step past any that are taken so the offered roll is really free.
    for (std::size_t guard = 0; guard <= usedNames.size() && number < maxNumber && isUsed(roll, usedNames); ++guard)
        roll = format(letter, ++number, digits);
    return roll;
}

}  // namespace quillane::RollNamer
