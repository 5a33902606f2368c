#pragma once
#include <optional>
#include <string>

#include "Detection/ContentProbe.h"
#include "Detection/DriveClassification.h"
#include "Detection/DriveInfo.h"

namespace quillane {

// Which picture stands for a drive; the views draw it.
enum class DriveIcon { removable, external, internal };

// One mounted volume as the model holds it.
struct DriveState {
    DriveInfo info;
    std::optional<ContentProbe> probe;  // none until the content probe has finished
    DriveClassification classification;
    DriveIcon icon = DriveIcon::external;

    const std::string& id() const { return info.id; }
    bool isAnalyzing() const { return !probe.has_value(); }
};

}  // namespace quillane
