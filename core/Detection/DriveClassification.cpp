#include "Detection/DriveClassification.h"

#include "Support/Lang.h"

namespace quillane {

std::string DriveClassification::confidenceLabel() const {
    if (isLearned) return L("Onthouden", "Remembered");
    if (confidence >= 0.85) return L("Zeker", "Certain");
    if (confidence >= 0.68) return L("Waarschijnlijk", "Likely");
    return L("Controleer", "Check");
}

}  // namespace quillane
