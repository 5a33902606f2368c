#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <thread>

#include "Hashing/XXHash64.h"
#include "Transfer/SimulatedTransfer.h"
#include "support/FaultyFileIO.h"
#include "support/ManualClock.h"

namespace quillane {
namespace {

using testing::FaultyFileIO;
using testing::ManualClock;
using Call = FaultyFileIO::Call;

TransferJob demoJob(bool verify, int destinations = 3) {
    SourceScan scan;
    scan.root = "/media/.quillane-demo/A_CARD";
    scan.files = {{"CLIPS/A001C001.MOV", 600'000, {}, {}}, {"CLIPS/A001C002.MOV", 0, {}, {}},
                  {"CLIPS/A001C003.MOV", 400'000, {}, {}}};
    scan.directories = {"CLIPS"};
    std::vector<TransferDestination> targets;
    for (int d = 0; d < destinations; ++d)
        targets.push_back({"SSD" + std::to_string(d), "/media/.quillane-demo/SSD" + std::to_string(d) + "/A001"});
    return TransferJob("Demo", "A001", "A_CARD", scan, targets, ChecksumAlgorithm::md5, verify, true);
}

TEST(SimulatedTransfer, FinishesLikeARealTransferWithoutTouchingAnyFile) {
    FaultyFileIO io;  // counts every file operation
    ManualClock clock;
    const auto start = clock.now();
    SimulatedTransfer transfer(demoJob(true), 0.12);
    EXPECT_DOUBLE_EQ(transfer.tracker().timeScale(), 1e6 / 1.05e9 * 2 / 0.12);

    // Not run yet: nothing to wait for, whatever the timeout says.
    EXPECT_FALSE(transfer.waitUntilFinished(-1));
    EXPECT_FALSE(transfer.waitUntilFinished(std::nan("")));
    bool otherWaiter = false, patientWaiter = false;
    std::thread waiter([&] { otherWaiter = transfer.waitUntilFinished(30); });
    std::thread patient([&] { patientWaiter = transfer.waitUntilFinished(std::numeric_limits<double>::infinity()); });
    const TransferResult result = transfer.run();
    waiter.join();
    patient.join();
    EXPECT_TRUE(otherWaiter);
    EXPECT_TRUE(patientWaiter);  // waiting "forever" waits for the end
    EXPECT_TRUE(transfer.waitUntilFinished(0));

    EXPECT_TRUE(result.allSucceeded());
    EXPECT_EQ(result.fileCount, 3);
    EXPECT_EQ(result.totalBytes, 1'000'000);
    EXPECT_EQ(result.algorithm, ChecksumAlgorithm::md5);
    ASSERT_EQ(result.hashes.size(), 3u);
    EXPECT_EQ(result.hashes[1], XXHash64::hex("CLIPS/A001C002.MOV"));  // 16 digits, whatever the algorithm
    EXPECT_EQ(result.destinations[2].verifiedFiles, 3);
    EXPECT_FALSE(result.destinations[0].mhlURL);
    const auto seconds = std::chrono::duration<double>(result.finishedAt - result.startedAt).count();
    EXPECT_NEAR(seconds, 2e6 / 1.05e9, 1e-6);
    // Every tick slept on the current clock, the whole run as long as asked.
    EXPECT_EQ(clock.sleeps(), SimulatedTransfer::ticks);
    EXPECT_NEAR(std::chrono::duration<double>(result.finishedAt - start).count(), 0.12, 1e-6);

    const TransferProgress p = transfer.tracker().snapshot();
    EXPECT_EQ(p.phase, TransferPhase::done);
    EXPECT_EQ(p.filesDone, 3);
    EXPECT_EQ(p.copiedBytes, 1'000'000);
    for (const DestinationProgress& d : p.destinations) EXPECT_EQ(d.verifiedBytes, 1'000'000);
    for (Call call : {Call::open, Call::mkdir, Call::lstat, Call::lstatx, Call::write}) EXPECT_EQ(io.calls(call), 0);
}

TEST(SimulatedTransfer, PauseCancelAndResume) {
    ManualClock clock;
    {  // paused while copying: every file still gets a checksum, nothing counts as verified
        SimulatedTransfer transfer(demoJob(true), 1.2);
        clock.onSleep([&] { transfer.pause(); });
        const TransferResult result = transfer.run();
        EXPECT_TRUE(result.cancelled);
        EXPECT_TRUE(result.paused);
        EXPECT_FALSE(result.allSucceeded());
        for (const auto& hash : result.hashes) EXPECT_TRUE(hash);
        EXPECT_EQ(result.destinations[0].verifiedFiles, 0);
        EXPECT_LT(transfer.tracker().snapshot().copiedBytes, 1'000'000);
    }
    {  // cancelled during read-back: every destination still ends fully read back
        SimulatedTransfer transfer(demoJob(true), 0.6);
        clock.onSleep([&] {
            if (transfer.tracker().snapshot().phase == TransferPhase::verifying) transfer.cancel();
        });
        const TransferResult result = transfer.run();
        EXPECT_TRUE(result.cancelled);
        EXPECT_FALSE(result.paused);
        for (const DestinationProgress& d : transfer.tracker().snapshot().destinations)
            EXPECT_EQ(d.verifiedBytes, 1'000'000);
    }
    {  // paused during the last tick: every tick ran, so the run finished and says so
        SimulatedTransfer transfer(demoJob(true), 1.2);
        int sleeps = 0;
        clock.onSleep([&] {
            if (++sleeps == SimulatedTransfer::ticks) transfer.pause();
        });
        const TransferResult result = transfer.run();
        EXPECT_FALSE(result.cancelled);
        EXPECT_FALSE(result.paused);
        EXPECT_TRUE(result.allSucceeded());
        EXPECT_EQ(result.destinations[0].verifiedFiles, 3);
    }
    clock.onSleep({});
    {  // resumed half-way: the copied bytes are counted once, not again
        SimulatedTransfer transfer(demoJob(false), 0.12, 500'000);
        EXPECT_EQ(transfer.tracker().snapshot().copiedBytes, 0);
        const TransferResult result = transfer.run();
        EXPECT_TRUE(result.allSucceeded());
        const TransferProgress p = transfer.tracker().snapshot();
        EXPECT_EQ(p.copiedBytes, 1'000'000);
        EXPECT_EQ(p.destinations[0].verifiedBytes, 0);
        EXPECT_EQ(SimulatedTransfer(demoJob(false), 1, 5'000'000).alreadyCopied(), 1'000'000);
    }
}

TEST(SimulatedTransfer, EmptyJobEndsDone) {
    TransferJob job = demoJob(true, 1);
    job.files.clear();
    SimulatedTransfer transfer(job, 0.12);
    const TransferResult result = transfer.run();
    EXPECT_EQ(result.fileCount, 0);
    EXPECT_EQ(result.totalBytes, 0);
    EXPECT_TRUE(result.hashes.empty());
    const TransferProgress p = transfer.tracker().snapshot();
    EXPECT_EQ(p.phase, TransferPhase::done);
    EXPECT_EQ(p.fraction, 1.0);
    EXPECT_EQ(p.bytesPerSecond, 0.0);
}

}  // namespace
}  // namespace quillane
