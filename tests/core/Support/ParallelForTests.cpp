#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "Support/ParallelFor.h"

namespace quillane {
namespace {

// The copy pass relies on the iterations of one run really running at once (one write per
// drive, the hash and the read-ahead), and on a pool that is reused run after run.
TEST(ParallelFor, IterationsOfARunProceedTogetherAndThePoolIsReused) {
    ParallelFor pool(5);
    EXPECT_EQ(pool.width(), 5);
    for (int round = 0; round < 200; ++round) {
        const int n = 1 + round % 5;
        std::mutex m;
        std::condition_variable cv;
        int arrived = 0;
        bool allMet = true;
        std::vector<int> seen(n, 0);
        pool.run(n, [&](int i) {
            std::unique_lock lock(m);
            ++seen[i];
            ++arrived;
            cv.notify_all();
            // Each iteration waits for all others: run one after another, this would time out.
            if (!cv.wait_for(lock, std::chrono::seconds(10), [&] { return arrived == n; })) allMet = false;
        });
        ASSERT_TRUE(allMet) << "round " << round;
        for (int count : seen) EXPECT_EQ(count, 1);
    }
    int calls = 0;
    pool.run(0, [&](int) { ++calls; });
    ParallelFor single(1);
    single.run(3, [&](int) { ++calls; });
    EXPECT_EQ(calls, 3);
}

}  // namespace
}  // namespace quillane
