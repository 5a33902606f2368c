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

// The camera letters the roll menu offers, in order.
std::vector<char> rollMenuLetters();
// The entry of one camera letter, the same in both languages: "C-camera (C001 …)".
std::string rollMenuLetterTitle(char letter);

}  // namespace quillane
