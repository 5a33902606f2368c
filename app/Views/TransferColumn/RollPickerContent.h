#pragma once
#include <optional>
#include <string>
#include <vector>

namespace quillane {

struct RollPickerContent {
    // The folders above the roll folder, in path order.
    std::vector<std::string> folders;
    // The roll folder's name on its tape; none for an empty path.
    std::optional<std::string> roll;
    // The chevron menu button; the tape's context menu stays available.
    bool menuButtonEnabled = true;
    bool operator==(const RollPickerContent&) const = default;
};

// The path of the job being copied or waiting paused, else the path planned for the next card.
RollPickerContent rollPicker(const std::vector<std::string>* runningPath, const std::vector<std::string>& targetPath,
                             bool running);

// The widths the folder names above the roll get in `available` pixels, in path order. When all fit,
// each is as wide as its whole name. Otherwise the longest names give way first, all cut back to one
// common width, so no name is shortened while a longer one keeps more room; a name is never cut below
// `least` (a letter or two around "…"), even when the row then runs over.
std::vector<double> rollPathWidths(const std::vector<double>& natural, double available, double least);

// The camera letters the roll menu offers, in order.
std::vector<char> rollMenuLetters();
// The entry of one camera letter, the same in both languages: "C-camera (C001 …)".
std::string rollMenuLetterTitle(char letter);

}  // namespace quillane
