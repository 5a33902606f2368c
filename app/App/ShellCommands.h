#pragma once
#include "Model/ModelStates.h"

namespace quillane {

// What the Transfer menu's items may do now.
struct TransferMenuFacts {
    TransferState state = TransferState::idle;
    DemoState demo = DemoState::off;
    bool foldersMissing = false;  // some planned folder does not exist yet
    bool pausedJob = false;       // a paused transfer waits, and the demo can't start over it
};
struct TransferMenuStates {
    bool changeProject = true;
    bool createFolders = false;
    bool demoIsStart = true;  // "Start demo mode" while the demo is off, else "Stop demo mode"
    bool demoEnabled = true;
};
TransferMenuStates transferMenuStates(const TransferMenuFacts& facts);

// Quitting asks only while a transfer runs (a paused one does not count).
bool quitNeedsConfirmation(bool windowShown, TransferState state);

}  // namespace quillane
