#include "Model/ThreadPoolWork.h"

#include <QThreadPool>

namespace quillane {

ThreadPoolWork::ThreadPoolWork(int maxThreads) : pool_(std::make_unique<QThreadPool>()) {
    pool_->setMaxThreadCount(maxThreads);
}

ThreadPoolWork::~ThreadPoolWork() { pool_->waitForDone(); }

void ThreadPoolWork::run(std::function<void()> job) { pool_->start(std::move(job)); }

void ThreadPoolWork::waitForIdle() { pool_->waitForDone(); }

}  // namespace quillane
