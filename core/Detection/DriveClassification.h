#pragma once
#include <optional>
#include <string>
#include <vector>

#include "Detection/CameraMatch.h"
#include "Detection/DriveRole.h"

namespace quillane {

// A drive's decided role, how sure the decision is and why.
struct DriveClassification {
    DriveRole role = DriveRole::ignored;
    // 1.0 for a remembered role, the startup disk and an internal disk; fixed values for the
    // other immediate decisions; else a score between 0.5 and 0.99.
    double confidence = 0.0;
    // Only on a remembered or a source result, and only when the card was recognised.
    std::optional<CameraMatch> camera;
    // In the language current when the drive was classified, in the order the clues were examined.
    std::vector<std::string> reasons;
    bool isLearned = false;

    // "Remembered", "Certain", "Likely" or "Check".
    std::string confidenceLabel() const;

    bool operator==(const DriveClassification&) const = default;
};

}  // namespace quillane
