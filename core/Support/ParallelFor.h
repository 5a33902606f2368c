#pragma once
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <thread>
#include <type_traits>
#include <vector>

namespace quillane {

// A small pool that runs the iterations of a loop at once and waits for all of them. The
// threads are started once, when the pool is made (one transfer holds one pool for its run),
// so no thread is started per chunk and nothing is allocated per call. The calling thread
// takes part in every run.
class ParallelFor {
public:
    // Up to `width` iterations run at the same time (the caller plus width - 1 threads). A thread
    // the system refuses to start leaves a narrower pool; the calling thread still runs everything.
    explicit ParallelFor(int width);
    ~ParallelFor();
    ParallelFor(const ParallelFor&) = delete;
    ParallelFor& operator=(const ParallelFor&) = delete;

    int width() const { return static_cast<int>(threads_.size()) + 1; }

    // Calls body(i) for i in 0 ..< iterations and returns when every call has returned.
    // Calls may run on any thread of the pool, in any order. Not reentrant. When a call throws,
    // the others still run and the first exception is thrown here afterwards.
    template <typename Body>
    void run(int iterations, Body&& body) {
        using B = std::remove_reference_t<Body>;
        runErased(iterations, const_cast<void*>(static_cast<const void*>(&body)),
                  [](void* context, int i) { (*static_cast<B*>(context))(i); });
    }

private:
    using Trampoline = void (*)(void*, int);
    void runErased(int iterations, void* context, Trampoline call);
    void workerLoop();
    // Takes iterations of the current run until none are left.
    void drain(std::unique_lock<std::mutex>& lock);

    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::size_t generation_ = 0;
    bool stopping_ = false;
    int iterations_ = 0;
    int next_ = 0;
    int finished_ = 0;
    void* context_ = nullptr;
    Trampoline call_ = nullptr;
    std::exception_ptr failure_;
};

}  // namespace quillane
