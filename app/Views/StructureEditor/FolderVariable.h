#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace quillane {

// A name that fills itself in, as the folder menus offer it: "Shoot day (DAY_01)" names a folder
// "DAY_{DAY}". A variable is known by its pattern.
struct FolderVariable {
    std::string nl;       // Dutch menu title
    std::string en;       // English menu title
    std::string pattern;  // the folder pattern it stands for
    std::string symbol;   // the symbol shown in its chip

    bool operator==(const FolderVariable&) const = default;

    // The six variables, in menu order.
    static const std::vector<FolderVariable>& all();
    // The variable whose pattern is exactly this text (case-sensitive, nothing trimmed), or none.
    static const FolderVariable* match(std::string_view pattern);

    // The menu title in the current language.
    std::string title() const;
    // The title without its example: "Shoot day (DAY_01)" gives "Shoot day".
    std::string shortLabel() const;
};

}  // namespace quillane
