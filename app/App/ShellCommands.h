#pragma once
#include "Model/ModelStates.h"

namespace quillane {

// What the Transfer menu's items may do now.
struct TransferMenuFacts {
    TransferState state = TransferState::idle;
    DemoState demo = DemoState::off;
    bool blocked = false;         // the model names a block reason
    bool foldersMissing = false;  // some planned folder does not exist yet
    bool pausedJob = false;       // a paused transfer waits, and the demo can't start over it
};
struct TransferMenuStates {
    bool changeProject = true;
    bool createFolders = false;
    bool primary = true;      // Ctrl+Return: resume when paused, else start
    bool demoIsStart = true;  // "Start demo mode" while the demo is off, else "Stop demo mode"
    bool demoEnabled = true;
};
TransferMenuStates transferMenuStates(const TransferMenuFacts& facts);

// The one Ctrl+Return binding: a paused transfer resumes, anything else goes to TRANSFER.
enum class PrimaryAction { resume, transfer };
PrimaryAction primaryAction(TransferState state);

// Quitting asks only while a transfer runs (a paused one does not count).
bool quitNeedsConfirmation(bool windowShown, TransferState state);

}  // namespace quillane
