#include "Views/Kit/DriveChip.h"

#include "Support/Lang.h"

namespace quillane {

DriveChipLook driveChipLook(const std::string& name, bool failed) {
    if (failed) return {name, true, L("Kopie naar ", "Copy to ") + name + L(" mislukt", " failed")};
    return {name, false, L("Geverifieerde kopie op ", "Verified copy on ") + name};
}

}  // namespace quillane
