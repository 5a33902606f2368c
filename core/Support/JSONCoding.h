#pragma once
#include <chrono>
#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "Support/UUID.h"

// Checked reading and writing of the values the stores keep. Readers never convert:
// a number is not a string, a string is not a number, a float is not an integer.
// Nothing here throws.
namespace quillane::JSONCoding {

using Json = nlohmann::json;
using TimePoint = std::chrono::system_clock::time_point;

// The value under key of an object; nullptr when value is not an object, the key is
// missing or its value is null (all three mean "not given").
const Json* member(const Json& object, std::string_view key);

std::optional<std::string> string(const Json& value);
std::optional<bool> boolean(const Json& value);
// Whole numbers that fit the type (3 and 3.0; not 2.5, "3" or true).
std::optional<std::int64_t> int64(const Json& value);
std::optional<int> int32(const Json& value);
// An ISO 8601 date text ("2026-03-05T14:07:09Z").
std::optional<TimePoint> date(const Json& value);
std::optional<UUID> uuid(const Json& value);
// An array whose every element is a string.
std::optional<std::vector<std::string>> strings(const Json& value);
// An object whose every value is a string.
std::optional<std::map<std::string, std::string>> stringMap(const Json& value);

// Reading an object's fields. A reader is any of the functions above (or one of the same
// shape: Json -> optional value) and never throws; neither does anything built from it here.

// An enum case from its stored text, through the enum's fromRawValue.
template <typename Enum>
auto rawValue(std::optional<Enum> (*fromRawValue)(std::string_view)) {
    return [fromRawValue](const Json& value) -> std::optional<Enum> {
        const auto text = string(value);
        return text ? fromRawValue(*text) : std::nullopt;
    };
}

// An array whose every element reads; no value when one does not.
template <typename Reader>
auto arrayOf(Reader reader) {
    using T = typename std::invoke_result_t<Reader, const Json&>::value_type;
    return [reader](const Json& value) -> std::optional<std::vector<T>> {
        if (!value.is_array()) return std::nullopt;
        std::vector<T> out;
        out.reserve(value.size());
        for (const Json& element : value) {
            auto read = reader(element);
            if (!read) return std::nullopt;
            out.push_back(std::move(*read));
        }
        return out;
    };
}

// A key that must be there: false when it is missing, null or does not read.
template <typename T, typename Reader>
bool required(const Json& object, std::string_view key, T& field, Reader reader) {
    const Json* value = member(object, key);
    if (!value) return false;
    auto read = reader(*value);
    if (!read) return false;
    field = std::move(*read);
    return true;
}

// A key that may be left out (the field becomes empty); false only when it is there and does
// not read.
template <typename T, typename Reader>
bool optional(const Json& object, std::string_view key, std::optional<T>& field, Reader reader) {
    const Json* value = member(object, key);
    if (!value) {
        field.reset();
        return true;
    }
    auto read = reader(*value);
    if (!read) return false;
    field = std::move(*read);
    return true;
}

// A key read when it can be: a missing or unreadable value leaves the field as it is (its
// default), so one bad value never costs the others.
template <typename T, typename Reader>
void ifReadable(const Json& object, std::string_view key, T& field, Reader reader) {
    const Json* value = member(object, key);
    if (!value) return;
    if (auto read = reader(*value)) field = std::move(*read);
}

// Dates are stored in whole seconds, UTC.
Json encodeDate(TimePoint time);

// Parses text; no value when it is not JSON.
std::optional<Json> parse(std::string_view text);
// Pretty-printed, keys sorted at every level; invalid UTF-8 in strings is replaced.
std::string pretty(const Json& value);
// One line, no extra white space.
std::string compact(const Json& value);

}  // namespace quillane::JSONCoding
