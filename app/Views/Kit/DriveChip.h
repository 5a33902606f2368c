#pragma once
#include <string>

namespace quillane {

// One drive name on a card's row: plain for a verified copy, red with a cross for a failed one.
struct DriveChipLook {
    std::string text;
    bool failed = false;
    std::string toolTip;
    friend bool operator==(const DriveChipLook&, const DriveChipLook&) = default;
};

DriveChipLook driveChipLook(const std::string& name, bool failed);

}  // namespace quillane
