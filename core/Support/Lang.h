#pragma once
#include <array>
#include <atomic>
#include <optional>
#include <string>
#include <string_view>

namespace quillane {

enum class AppLanguage { nl, en };

namespace AppLanguages {
inline constexpr std::array<AppLanguage, 2> allCases{AppLanguage::nl, AppLanguage::en};
// The stored and identifying text: "nl" or "en".
std::string id(AppLanguage language);
// What the language switch shows: "NL" or "EN".
std::string label(AppLanguage language);
// Accepts exactly "nl" and "en".
std::optional<AppLanguage> fromRawValue(std::string_view raw);
}  // namespace AppLanguages

namespace Lang {
// The language every text is built in. Written on the main thread only; engine threads read it.
extern std::atomic<AppLanguage> current;
}  // namespace Lang

// Picks the Dutch text, or the English one when the current language is English.
std::string L(std::string_view nl, std::string_view en);

}  // namespace quillane
