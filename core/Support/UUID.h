#pragma once
#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quillane {

// A 128-bit identifier, written as upper-case hexadecimal in 8-4-4-4-12 groups.
struct UUID {
    std::array<std::uint8_t, 16> bytes{};

    // A new random (version 4) identifier.
    static UUID random();
    // Reads the 8-4-4-4-12 form in either letter case; anything else gives no value.
    static std::optional<UUID> parse(std::string_view text);
    // "E621E1F8-C36C-495A-93FC-0C247A3E6E5F"
    std::string text() const;

    friend auto operator<=>(const UUID&, const UUID&) = default;
};

}  // namespace quillane

template <>
struct std::hash<quillane::UUID> {
    std::size_t operator()(const quillane::UUID& id) const noexcept {
        std::uint64_t a = 0, b = 0;
        for (int i = 0; i < 8; ++i) a = (a << 8) | id.bytes[static_cast<std::size_t>(i)];
        for (int i = 8; i < 16; ++i) b = (b << 8) | id.bytes[static_cast<std::size_t>(i)];
        return static_cast<std::size_t>(a ^ (b * 0x9E3779B97F4A7C15ull));
    }
};
