#pragma once
#include <cstdint>
#include <memory>

#include "Transfer/TransferJob.h"
#include "Transfer/TransferTask.h"

namespace quillane {

// How the model gets the transfer it runs.
class EngineFactory {
public:
    struct Options {
        bool simulated = false;         // a demo card: nothing touches a disk
        double simulatedSeconds = 18.0;  // how long a simulated run takes
        std::int64_t alreadyCopied = 0;  // bytes a resumed simulated run counts as done
    };
    virtual ~EngineFactory() = default;
    virtual std::unique_ptr<TransferTask> make(TransferJob job, const Options& options) = 0;
};

}  // namespace quillane
