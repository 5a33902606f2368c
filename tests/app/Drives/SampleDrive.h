#pragma once
// The staged SSD as the kit's drive views see it in any role: 650 GB free of 2 TB, a Sony camera
// match and two reasons.
#include <string>

#include "support/app/MainWindowStaging.h"

namespace quillane::testing {

inline DriveState sampleDrive(const std::string& id, const std::string& name, DriveRole role, double confidence,
                              bool probed = true, bool learned = false) {
    DriveState d = stagedSSD(id, name, 650'000'000'000);
    d.icon = role == DriveRole::source ? DriveIcon::removable : DriveIcon::external;
    if (!probed) d.probe.reset();
    d.classification.role = role;
    d.classification.confidence = confidence;
    d.classification.isLearned = learned;
    d.classification.reasons = {"Holds a PRIVATE/M4ROOT folder as Sony cameras write it",
                                "Removable, 256 GB, exFAT: a typical card"};
    d.classification.camera = CameraMatch{"Sony", "XAVC", "", "SONY"};
    return d;
}

}  // namespace quillane::testing
