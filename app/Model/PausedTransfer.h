#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "Model/TransferJobs.h"

namespace quillane {

// A transfer that stopped on a pause and waits to go on: the job as it stopped, on the drives it
// was copying to, with how far it got. Its resume rescans the card and, when the card is the same,
// starts the same roll again on the same drives.
struct PausedTransfer {
    RunningJob job;
    // The drive under each destination of the job, in destination order.
    std::vector<std::string> driveIDs;
    // What had been copied when it stopped: the resumed run counts it as done.
    std::int64_t copiedBytes = 0;
    // Sleep paused it: it resumes by itself once the computer is awake and its drives are back.
    bool bySleep = false;
    // A resume waits for the card's scan to end.
    bool resumePending = false;
    // The scan found the same card: the next start of this card is this job going on, without
    // asking whether to resume the files already there.
    bool resuming = false;
};

// What the model knows of the computer's sleep apart from a paused transfer.
struct SleepWatch {
    // Between a will-sleep and the next did-wake: nothing resumes by itself.
    bool asleep = false;
    // Counts the wakes: only the wait of the latest wake counts.
    int wakeRound = 0;
    // The wake wait ended while the copy was still stopping: its pause looks for the drives.
    bool wakeCheckMissed = false;
    // Sleep asked the running copy to pause; its pause is then a pause by sleep.
    bool pausingRun = false;
};

}  // namespace quillane
