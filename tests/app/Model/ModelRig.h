#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "support/TempDir.h"
#include "support/app/ModelHarness.h"

namespace quillane::testing {

// Folders standing in for a Sony card and two SSDs, and a started model that sees them, with a
// project chosen and folders created without asking.
struct ModelRig {
    TempDir root{"quillane-volumes"};
    std::filesystem::path card = root / "A001_SONY";
    std::filesystem::path ssdA = root / "SSD_A";
    std::filesystem::path ssdB = root / "SSD_B";
    ModelHarness harness;

    ModelRig();
    AppModel& model() { return harness.model(); }
    static DriveInfo cardInfo(const std::filesystem::path& folder, const std::string& name, const std::string& uuid);
    // Mounts what is given (default: the card and both SSDs), then lets probes and scans finish.
    void mount(std::vector<DriveInfo> volumes);
    void mountAll();
    std::vector<DriveInfo> all() const;
    // Presses TRANSFER and waits until the run has ended.
    bool transferAndWait();
};

}  // namespace quillane::testing
