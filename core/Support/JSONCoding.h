#pragma once
#include <chrono>
#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
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

// Dates are stored in whole seconds, UTC.
Json encodeDate(TimePoint time);

// Parses text; no value when it is not JSON.
std::optional<Json> parse(std::string_view text);
// Pretty-printed, keys sorted at every level; invalid UTF-8 in strings is replaced.
std::string pretty(const Json& value);
// One line, no extra white space.
std::string compact(const Json& value);

}  // namespace quillane::JSONCoding
