#pragma once
#include <optional>
#include <string>
#include <vector>

namespace quillane {

struct RollPickerLook {
    // The folders above the roll folder, in path order.
    std::vector<std::string> folders;
    // The roll folder's name on its tape; none for an empty path.
    std::optional<std::string> roll;
    // The chevron menu button; the tape's context menu stays available.
    bool menuButtonEnabled = true;
    bool operator==(const RollPickerLook&) const = default;
};

// The path of the job being copied or waiting paused, else the path planned for the next card.
RollPickerLook rollPicker(const std::vector<std::string>* runningPath, const std::vector<std::string>& targetPath,
                             bool running);

// How the folder names above the roll share the row, in path order.
struct RollPathRoom {
    std::vector<double> natural;  // each name's whole width
    std::vector<double> least;    // each name at its shortest: a letter at each end around "…"
    double available = 0;         // for the names, with every level shown
    double levelCost = 0;         // what a level takes besides its name (its chevron and spacing)
    double marker = 0;            // the width of a lone "…" standing for folded levels
};
// The width each name gets. When all fit, its whole width. Otherwise the longest names give way
// first, all cut back to one common width, so no name is shortened while a longer one keeps more
// room, and none below its least width. When even that does not fit, the first levels fold into
// one "…" (the first level gets `marker`, the other folded levels 0 and are left out).
std::vector<double> rollPathWidths(const RollPathRoom& room);

// The camera letters the roll menu offers, in order.
std::vector<char> rollMenuLetters();
// The entry of one camera letter, the same in both languages: "C-camera (C001 …)".
std::string rollMenuLetterTitle(char letter);

}  // namespace quillane
