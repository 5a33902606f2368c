#pragma once
#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "support/FaultyFileIO.h"
#include "support/Scopes.h"
#include "support/TempDir.h"
#include "support/app/ModelHarness.h"

namespace quillane::testing {

// Makes the harness's model, creating folders without asking, with the project "Alpha", started.
AppModel& makeStartedModel(ModelHarness& harness);
// The model's timers that are running now.
int runningTimers(const AppModel& model);

// Folders standing in for a Sony card and two SSDs, and a started model that sees them, with a
// project chosen and folders created without asking; texts in English.
struct ModelRig {
    LanguageScope language{AppLanguage::en};
    TempDir root{"quillane-volumes"};
    std::filesystem::path card = root / "A001_SONY";
    std::filesystem::path ssdA = root / "SSD_A";
    std::filesystem::path ssdB = root / "SSD_B";
    ModelHarness harness;
    // Set once the engine is held in the middle of a clip (holdMidFile).
    std::atomic<bool> midFile = false;
    // While set, the held engine stays held also after it was told to pause or stop.
    std::atomic<bool> stopLate = false;

    ModelRig();
    AppModel& model() { return harness.model(); }
    static DriveInfo cardInfo(const std::filesystem::path& folder, const std::string& name, const std::string& uuid);
    // Mounts what is given (default: the card and both SSDs), then lets probes and scans finish.
    void mount(std::vector<DriveInfo> volumes);
    void mountAll();
    std::vector<DriveInfo> all() const;
    // Every volume of all() but the one named.
    std::vector<DriveInfo> allBut(const std::string& name) const;
    // A second card, B_CARD (id CARD-2), with one clip of its own.
    DriveInfo otherCard() const;
    // Presses TRANSFER and lets the start happen.
    void tapTransfer();
    // With the engine held before it copies (until openGates, a pause or a stop): mounts the
    // volumes (default: all), selects the first, presses TRANSFER; true when the copy runs.
    bool startHeld(std::vector<DriveInfo> volumes = {});
    // Pauses by hand or by will-sleep; true once the model holds the paused job.
    bool pause(bool bySleep);
    // Presses TRANSFER and waits until the run has ended.
    bool transferAndWait();
    // Waits (see ModelHarness::waitUntil) and counts the progress timers on the way.
    bool waitFor(const std::function<bool()>& condition,
                 std::chrono::milliseconds timeout = std::chrono::milliseconds(20'000));
    bool waitForState(TransferState state) {
        return waitFor([&] { return model().transferState() == state; });
    }
    // Lets the event loop run for a while, counting the progress timers.
    void idle(std::chrono::milliseconds span) { waitFor([] { return false; }, span); }
    // Running timers the model holds beyond those of an idle model: at most, since the rig began.
    int mostProgressTimers() const { return mostTimers_ - idleTimers_; }
    // Makes C0001 three copy chunks long and holds the engine after its first chunk on either SSD,
    // until the model pauses or stops it (once).
    void holdMidFile(FaultyFileIO& faults);
    // Every card file standing under its own name in a roll folder is whole; no partial file is left.
    void expectNoIncompleteCopy(const std::filesystem::path& roll) const;

private:
    int idleTimers_ = 0;
    int mostTimers_ = 0;
};

}  // namespace quillane::testing

// The names every transfer test uses.
namespace quillane {
namespace fs = std::filesystem;
using testing::FaultyFileIO;
using testing::ModelRig;
}  // namespace quillane
