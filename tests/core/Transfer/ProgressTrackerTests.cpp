#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "Support/Lang.h"
#include "Transfer/TransferProgressTracker.h"
#include "support/Scopes.h"

namespace quillane {
namespace {

const int both[] = {0, 1};

TEST(TransferProgressTracker, FreshTrackerAndEmptyJob) {
    TransferProgressTracker empty(0, 0, {"SSD"}, {0});
    TransferProgress p = empty.snapshot(100);
    EXPECT_EQ(p.phase, TransferPhase::preparing);
    EXPECT_EQ(p.fraction, 0.0);
    EXPECT_EQ(p.bytesPerSecond, 0.0);
    EXPECT_FALSE(p.secondsRemaining);
    ASSERT_EQ(p.destinations.size(), 1u);
    EXPECT_EQ(p.destinations[0].name, "SSD");
    empty.setPhase(TransferPhase::copying);
    EXPECT_EQ(empty.snapshot(101).fraction, 1.0);
}

TEST(TransferProgressTracker, FractionCountsCopyAndReadBackOverHealthyDestinations) {
    const std::int64_t total = 10'000'000'000;
    TransferProgressTracker t(total, 3, {"A", "B"}, {total, total});
    t.setPhase(TransferPhase::copying);
    t.addCopied(total, both);
    t.setPhase(TransferPhase::verifying);
    t.addVerified(total / 2, 0);
    t.addVerified(total / 2, 1);
    EXPECT_DOUBLE_EQ(t.snapshot(0).fraction, 0.75);

    // A destination that fails drops out of the means at once.
    t.addVerified(total / 2, 0);
    t.setError("Checksum mismatch: x", 1);
    t.setError("later", 1);
    const TransferProgress p = t.snapshot(1);
    EXPECT_DOUBLE_EQ(p.fraction, 1.0);
    EXPECT_EQ(p.destinations[1].error, "Checksum mismatch: x");
    EXPECT_EQ(p.destinations[0].copiedBytes, total);

    // No destination read back: copy progress alone; done is always complete.
    TransferProgressTracker copyOnly(100, 1, {"A"}, {0});
    copyOnly.setPhase(TransferPhase::copying);
    const int first[] = {0};
    copyOnly.addCopied(25, first);
    EXPECT_DOUBLE_EQ(copyOnly.snapshot(0).fraction, 0.25);
    copyOnly.setPhase(TransferPhase::done);
    EXPECT_DOUBLE_EQ(copyOnly.snapshot(0).fraction, 1.0);
}

TEST(TransferProgressTracker, RateComesFromASlidingWindowOfPolls) {
    TransferProgressTracker t(1000, 1, {"A", "B"}, {0, 0});
    t.setPhase(TransferPhase::copying);
    t.snapshot(10.0);
    t.addCopied(100, both);
    EXPECT_EQ(t.snapshot(10.3).bytesPerSecond, 0.0);  // not yet 0.4 s of samples
    t.addCopied(100, both);
    TransferProgress p = t.snapshot(10.5);
    EXPECT_DOUBLE_EQ(p.bytesPerSecond, 200 / 0.5);
    EXPECT_DOUBLE_EQ(*p.secondsRemaining, 800 / 400.0);

    t.setTimeScale(2.0);
    p = t.snapshot(10.5);
    EXPECT_DOUBLE_EQ(p.bytesPerSecond, 200.0);
    EXPECT_DOUBLE_EQ(*p.secondsRemaining, 4.0);

    // A sample exactly 3 s old stays; after a longer gap the window starts afresh.
    t.setTimeScale(1.0);
    EXPECT_DOUBLE_EQ(t.snapshot(13.0).bytesPerSecond, 200 / 3.0);
    t.addCopied(300, both);
    p = t.snapshot(20.0);
    EXPECT_EQ(p.bytesPerSecond, 0.0);
    EXPECT_FALSE(p.secondsRemaining);
}

TEST(TransferProgressTracker, SnapshotsFromAnotherThreadStayConsistent) {
    const int destinations[] = {0, 1, 2};
    TransferProgressTracker t(3'000'000, 3000, {"A", "B", "C"}, {3'000'000, 3'000'000, 3'000'000});
    std::atomic<bool> stop{false};
    std::thread poller([&] {
        double last = 0;
        while (!stop) {
            const TransferProgress p = t.snapshot();
            EXPECT_GE(p.fraction, last);  // work only grows
            EXPECT_EQ(p.destinations[0].copiedBytes, p.copiedBytes);
            EXPECT_GE(p.filesDone * 1000, p.copiedBytes - 1000);
            last = p.fraction;
        }
    });
    t.setPhase(TransferPhase::copying);
    for (int i = 0; i < 3000; ++i) {
        t.setCurrentFile("CLIP/" + std::to_string(i));
        t.addCopied(1000, destinations);
        t.countFinishedFile();
    }
    stop = true;
    poller.join();
    EXPECT_EQ(t.snapshot().filesDone, 3000);
}

TEST(TransferPhase, RawValuesAndNames) {
    quillane::testing::LanguageScope language;
    EXPECT_LT(TransferPhase::copying, TransferPhase::verifying);
    for (TransferPhase phase : TransferPhases::allCases)
        EXPECT_EQ(TransferPhases::fromRawValue(TransferPhases::id(phase)), phase);
    EXPECT_FALSE(TransferPhases::fromRawValue("Copying"));
    Lang::current = AppLanguage::nl;
    EXPECT_EQ(TransferPhases::displayName(TransferPhase::copying), "Kopiëren");
    Lang::current = AppLanguage::en;
}

}  // namespace
}  // namespace quillane
