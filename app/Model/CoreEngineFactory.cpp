#include "Model/CoreEngineFactory.h"

#include "Transfer/SimulatedTransfer.h"
#include "Transfer/TransferEngine.h"

namespace quillane {

std::unique_ptr<TransferTask> CoreEngineFactory::make(TransferJob job, const Options& options) {
    if (options.simulated)
        return std::make_unique<SimulatedTransfer>(std::move(job), options.simulatedSeconds, options.alreadyCopied);
    return std::make_unique<TransferEngine>(std::move(job));
}

}  // namespace quillane
