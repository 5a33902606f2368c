#include "Support/Lang.h"

#include "Support/EnumNames.h"

namespace quillane {

std::atomic<AppLanguage> Lang::current{AppLanguage::en};

namespace {
constexpr EnumNames<AppLanguage, 2> names{{{
    {AppLanguage::nl, "nl", "NL", "NL"},
    {AppLanguage::en, "en", "EN", "EN"},
}}};
}  // namespace

std::string AppLanguages::id(AppLanguage language) { return names.id(language); }
std::string AppLanguages::label(AppLanguage language) { return names.displayName(language); }
std::optional<AppLanguage> AppLanguages::fromRawValue(std::string_view raw) { return names.fromRawValue(raw); }

std::string L(std::string_view nl, std::string_view en) {
    return std::string(Lang::current.load(std::memory_order_relaxed) == AppLanguage::en ? en : nl);
}

}  // namespace quillane
