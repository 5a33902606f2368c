#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "Support/Lang.h"

namespace quillane {

// The words that follow a count: those for exactly one and those for any other number, in
// Dutch and in English. A verb that goes with the count belongs in the words, so that it
// agrees as well ("1 file doesn't match", "2 files don't match").
struct CountWords {
    struct Forms {
        std::string_view one;
        std::string_view many;
    };
    Forms nl;
    Forms en;
};

// The count, a space and the words that agree with it: "1 file", "0 files", "2 bestanden".
std::string countText(std::int64_t count, const CountWords& words, AppLanguage language);
// The same in the current language.
std::string countText(std::int64_t count, const CountWords& words);

// The things this program counts for its user.
namespace Counted {
inline constexpr CountWords files{{"bestand", "bestanden"}, {"file", "files"}};
inline constexpr CountWords cards{{"kaart", "kaarten"}, {"card", "cards"}};
inline constexpr CountWords clips{{"clip", "clips"}, {"clip", "clips"}};
inline constexpr CountWords drives{{"schijf", "schijven"}, {"drive", "drives"}};
inline constexpr CountWords ssds{{"SSD", "SSD's"}, {"SSD", "SSDs"}};
inline constexpr CountWords extraFolders{{"extra map", "extra mappen"}, {"extra folder", "extra folders"}};
// A destination's copies whose checksum differs from the card's.
inline constexpr CountWords filesNotMatching{{"bestand klopt niet", "bestanden kloppen niet"},
                                             {"file doesn't match", "files don't match"}};
}  // namespace Counted

}  // namespace quillane
