#include "Support/ParallelFor.h"

#include <system_error>
#include <utility>

namespace quillane {

ParallelFor::ParallelFor(int width) {
    threads_.reserve(width > 1 ? static_cast<std::size_t>(width - 1) : 0);
    for (int i = 1; i < width; ++i) {
        try {
            threads_.emplace_back([this] { workerLoop(); });
        } catch (const std::system_error&) {
            break;  // no more threads to be had: the pool runs narrower
        }
    }
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
        std::exception_ptr failure;
        try {
            call(context, i);  // never under the lock: the body does file I/O
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        if (failure && !failure_) failure_ = failure;
        if (++finished_ == iterations_) done_.notify_all();
    }
}

void ParallelFor::runErased(int iterations, void* context, Trampoline call) {
    if (iterations <= 0) return;
    if (iterations == 1 || threads_.empty()) {
        std::exception_ptr failure;
        for (int i = 0; i < iterations; ++i) {
            try {
                call(context, i);
            } catch (...) {
                if (!failure) failure = std::current_exception();
            }
        }
        if (failure) std::rethrow_exception(failure);
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
    if (failure_) {
        std::exception_ptr failure = std::exchange(failure_, nullptr);
        lock.unlock();
        std::rethrow_exception(failure);
    }
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
