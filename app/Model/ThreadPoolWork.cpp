#include "Model/ThreadPoolWork.h"

#include <QRunnable>
#include <QThreadPool>

#include "Model/ThreadHandOver.h"

namespace quillane {

namespace {
// A job as the pool runs it, made here so that its way through the pool's queue is marked.
class PoolJob final : public QRunnable {
public:
    explicit PoolJob(std::function<void()> job) : job_(std::move(job)) { ThreadHandOver::send(this); }
    ~PoolJob() override { ThreadHandOver::receive(this); }
    void run() override {
        ThreadHandOver::receive(this);
        job_();
    }

private:
    std::function<void()> job_;
};
}  // namespace

ThreadPoolWork::ThreadPoolWork(int maxThreads) : pool_(std::make_unique<QThreadPool>()) {
    pool_->setMaxThreadCount(maxThreads);
}

ThreadPoolWork::~ThreadPoolWork() { pool_->waitForDone(); }

void ThreadPoolWork::run(std::function<void()> job) { pool_->start(new PoolJob(std::move(job))); }

void ThreadPoolWork::waitForIdle() { pool_->waitForDone(); }

}  // namespace quillane
