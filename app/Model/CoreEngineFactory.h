#pragma once
#include "Model/Seams/EngineFactory.h"

namespace quillane {

// The real copy engine, or the simulated one for demo cards.
class CoreEngineFactory final : public EngineFactory {
public:
    std::unique_ptr<TransferTask> make(TransferJob job, const Options& options) override;
};

}  // namespace quillane
