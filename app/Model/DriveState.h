#pragma once
#include <sys/types.h>

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
    // The device of the volume mounted at info.url when it was reported; none for demo drives.
    // A drive pulled before the next report leaves a bare mount folder on another device.
    std::optional<dev_t> volume;

    const std::string& id() const { return info.id; }
    bool isAnalyzing() const { return !probe.has_value(); }
};

}  // namespace quillane
