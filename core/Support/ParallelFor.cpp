#include "Support/ParallelFor.h"

namespace quillane {

ParallelFor::ParallelFor(int width) {
    for (int i = 1; i < width; ++i) threads_.emplace_back([this] { workerLoop(); });
}

ParallelFor::~ParallelFor() {
    {
        std::lock_guard guard(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& thread : threads_) thread.join();
}

void ParallelFor::drain(std::unique_lock<std::mutex>& lock) {
    while (next_ < iterations_) {
        const int i = next_++;
        void* context = context_;
        Trampoline call = call_;
        lock.unlock();
        call(context, i);  // never under the lock: the body does file I/O
        lock.lock();
        if (++finished_ == iterations_) done_.notify_all();
    }
}

void ParallelFor::runErased(int iterations, void* context, Trampoline call) {
    if (iterations <= 0) return;
    if (iterations == 1 || threads_.empty()) {
        for (int i = 0; i < iterations; ++i) call(context, i);
        return;
    }
    std::unique_lock lock(mutex_);
    iterations_ = iterations;
    next_ = 0;
    finished_ = 0;
    context_ = context;
    call_ = call;
    ++generation_;
    wake_.notify_all();
    drain(lock);
    done_.wait(lock, [this] { return finished_ == iterations_; });
    iterations_ = 0;
}

void ParallelFor::workerLoop() {
    std::unique_lock lock(mutex_);
    // Every thread starts from the generation the pool was made with, so that a thread that gets
    // going late still joins the first run instead of waiting for the next one.
    std::size_t seen = 0;
    for (;;) {
        wake_.wait(lock, [&] { return stopping_ || generation_ != seen; });
        if (stopping_) return;
        seen = generation_;
        drain(lock);
    }
}

}  // namespace quillane
