#pragma once
#include <memory>

#include "Model/Seams/BackgroundWork.h"

class QThreadPool;

namespace quillane {

// Background jobs on a private pool of a few threads.
class ThreadPoolWork final : public BackgroundWork {
public:
    explicit ThreadPoolWork(int maxThreads = 4);
    ~ThreadPoolWork() override;  // waits for running jobs
    void run(std::function<void()> job) override;
    void waitForIdle() override;

private:
    std::unique_ptr<QThreadPool> pool_;
};

}  // namespace quillane
