#include "Support/JSONCoding.h"

#include <cmath>
#include <limits>

#include "Support/Dates.h"

namespace quillane::JSONCoding {

const Json* member(const Json& object, std::string_view key) {
    if (!object.is_object()) return nullptr;
    const auto it = object.find(key);
    if (it == object.end() || it->is_null()) return nullptr;
    return &*it;
}

std::optional<std::string> string(const Json& value) {
    if (!value.is_string()) return std::nullopt;
    return value.get_ref<const std::string&>();
}

std::optional<bool> boolean(const Json& value) {
    if (!value.is_boolean()) return std::nullopt;
    return value.get<bool>();
}

std::optional<std::int64_t> int64(const Json& value) {
    if (value.is_number_integer() && !value.is_number_unsigned()) return value.get<std::int64_t>();
    if (value.is_number_unsigned()) {
        const auto u = value.get<std::uint64_t>();
        if (u > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) return std::nullopt;
        return static_cast<std::int64_t>(u);
    }
    if (value.is_number_float()) {
        // 3.0 is the number 3; 2.5 and values beyond the range are not whole numbers.
        const double d = value.get<double>();
        if (!std::isfinite(d) || d != std::trunc(d) || d < -9223372036854775808.0 || d >= 9223372036854775808.0)
            return std::nullopt;
        return static_cast<std::int64_t>(d);
    }
    return std::nullopt;
}

std::optional<int> int32(const Json& value) {
    const auto wide = int64(value);
    if (!wide || *wide < std::numeric_limits<int>::min() || *wide > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(*wide);
}

std::optional<TimePoint> date(const Json& value) {
    if (!value.is_string()) return std::nullopt;
    return Dates::parseISO8601(value.get_ref<const std::string&>());
}

std::optional<UUID> uuid(const Json& value) {
    if (!value.is_string()) return std::nullopt;
    return UUID::parse(value.get_ref<const std::string&>());
}

std::optional<std::vector<std::string>> strings(const Json& value) { return arrayOf(string)(value); }

std::optional<std::map<std::string, std::string>> stringMap(const Json& value) {
    if (!value.is_object()) return std::nullopt;
    std::map<std::string, std::string> out;
    for (const auto& [key, element] : value.items()) {
        if (!element.is_string()) return std::nullopt;
        out.emplace(key, element.get<std::string>());
    }
    return out;
}

Json encodeDate(TimePoint time) { return Dates::iso8601(time); }

std::optional<Json> parse(std::string_view text) {
    Json value = Json::parse(text.begin(), text.end(), nullptr, /*allow_exceptions=*/false);
    if (value.is_discarded()) return std::nullopt;
    return value;
}

std::string pretty(const Json& value) {
    try {
        return value.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
    } catch (...) {
        return {};
    }
}

std::string compact(const Json& value) {
    try {
        return value.dump(-1, ' ', false, Json::error_handler_t::replace);
    } catch (...) {
        return {};
    }
}

}  // namespace quillane::JSONCoding
