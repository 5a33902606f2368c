#include "Support/Lang.h"

namespace quillane {

std::atomic<AppLanguage> Lang::current{AppLanguage::en};

std::string AppLanguages::id(AppLanguage language) {
    return language == AppLanguage::en ? "en" : "nl";
}

std::string AppLanguages::label(AppLanguage language) {
    return language == AppLanguage::en ? "EN" : "NL";
}

std::optional<AppLanguage> AppLanguages::fromRawValue(std::string_view raw) {
    if (raw == "nl") return AppLanguage::nl;
    if (raw == "en") return AppLanguage::en;
    return std::nullopt;
}

std::string L(std::string_view nl, std::string_view en) {
    return std::string(Lang::current.load(std::memory_order_relaxed) == AppLanguage::en ? en : nl);
}

}  // namespace quillane
