#pragma once
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "Support/Lang.h"

namespace quillane {

// One case of an enum: the text it is stored under and what the user sees, in Dutch and
// English (the same text twice when it does not change with the language).
template <typename Enum>
struct EnumName {
    Enum value;
    std::string_view id;
    std::string_view nl;
    std::string_view en;
};

// The stored text and the shown name of every case of an enum, kept in one table.
template <typename Enum, std::size_t N>
struct EnumNames {
    std::array<EnumName<Enum>, N> cases;

    // The case's row; the first row for a value that is no case.
    constexpr const EnumName<Enum>& of(Enum value) const {
        for (const auto& name : cases)
            if (name.value == value) return name;
        return cases.front();
    }
    std::string id(Enum value) const { return std::string(of(value).id); }
    // Exactly one of the stored texts; nothing else.
    std::optional<Enum> fromRawValue(std::string_view raw) const {
        for (const auto& name : cases)
            if (name.id == raw) return name.value;
        return std::nullopt;
    }
    // In the current language.
    std::string displayName(Enum value) const {
        const auto& name = of(value);
        return L(name.nl, name.en);
    }
};

}  // namespace quillane
