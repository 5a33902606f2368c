#pragma once
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillane {

// The values that fill a template's tags for one card.
struct TemplateContext {
    std::string project;
    std::string roll;          // "A001"
    std::string cameraLetter;  // "A"
    std::chrono::system_clock::time_point date{};
    std::string dateFormat = "yyyy-MM-dd";  // a Unicode date pattern for {DATE}
    std::int64_t day = 1;                   // the shoot day
    std::string camera;                     // the card's camera brand code ("SONY", "SOUND")
    std::string card;                       // the card's name

    // The raw value of a tag (exact, case-sensitive key), or nothing for a key that is no tag.
    // DATE is printed with dateFormat in the fixed locale en_US_POSIX and the system's time zone;
    // DAY is at least 1 and has at least two digits.
    std::optional<std::string> value(std::string_view key) const;
};

// Prints a moment with a Unicode date pattern in the fixed locale en_US_POSIX and the system's
// current time zone. An unusable pattern prints nothing.
std::string formatTemplateDate(std::chrono::system_clock::time_point date, std::string_view pattern);

}  // namespace quillane
