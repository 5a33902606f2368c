#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <set>
#include <thread>

#include "EngineTestSupport.h"
#include "Support/Lang.h"
#include "support/FaultyFileIO.h"
#include "support/TmpfsMount.h"

namespace quillane {
namespace {

using namespace enginetest;
using testing::FaultyFileIO;
using testing::TempDir;
using testing::TmpfsMount;
using testing::readFile;
using testing::writeFile;
using Call = FaultyFileIO::Call;

constexpr std::size_t MiB = 1 << 20;

class EngineCopy : public EngineTest {
protected:
    // A card with a clip of three chunks and an odd tail, smaller files, an empty file, nested
    // and empty folders, and dates down to the nanosecond.
    void makeCard() {
        writeFile(card / "CLIPS/A001C001.MOV", bytes(2 * TransferEngine::chunkSize + 123, 1));
        writeFile(card / "CLIPS/A001C002.MOV", bytes(MiB, 2));
        writeFile(card / "META/deep/info.xml", "<info/>");
        writeFile(card / "empty.txt", "");
        fs::create_directories(card / "EMPTY");
        setModificationTime(card / "CLIPS/A001C001.MOV", 1700000000, 123456789);
        setModificationTime(card / "META/deep/info.xml", 946684800, 0);
    }
};

TEST_F(EngineCopy, CopiesACardToThreeDestinationsInOnePass) {
    makeCard();
    TmpfsMount tmpfs(64 * MiB);
    const fs::path thirdRoot = tmpfs.mounted() ? tmpfs.path() : disk / "third";
    if (!tmpfs.mounted()) std::cerr << "third destination on disk: " << tmpfs.reason() << "\n";
    const std::vector<fs::path> rolls{disk / "ssd1/Feature/A001", disk / "ssd2/A001", thirdRoot / "Day 1/A001"};

    const TransferJob job = makeJob(card.path(), rolls);
    TransferEngine engine(job);
    FaultyFileIO counting;
    // Direct reads refused after the first chunk, of the card's clip and of its copy on SSD1: the
    // rest is read buffered, and from the medium all the same. (Where the disk has no direct
    // reads at all, every file is read buffered.)
    const fs::path clip = "CLIPS/A001C001.MOV";
    const int direct = ::open((card / clip).c_str(), O_RDONLY | O_DIRECT);
    if (direct >= 0) {
        ::close(direct);
        for (const fs::path& file : {card / clip, rolls[0] / clip})
            counting.fail({.call = Call::read, .pathContains = file.string(), .error = EINVAL,
                           .afterBytes = static_cast<std::int64_t>(TransferEngine::chunkSize), .once = true});
    }
    const TransferResult result = engine.run();

    ASSERT_TRUE(result.allSucceeded()) << result.destinations[0].error.value_or("");
    EXPECT_EQ(counting.failures(Call::read), direct >= 0 ? 2 : 0);
    EXPECT_EQ(counting.readsFromCache(), std::set<std::string>{});
    EXPECT_EQ(result.fileCount, 4);
    EXPECT_EQ(result.totalBytes, job.totalBytes());
    // The source is opened once per file, whatever the number of destinations.
    EXPECT_EQ(counting.calls(Call::open, card.path().string()), 4);
    for (std::size_t i = 0; i < job.files.size(); ++i) {
        const fs::path source = card / job.files[i].relativePath;
        ASSERT_TRUE(result.hashes[i]);
        EXPECT_EQ(*result.hashes[i], independentChecksum(source, ChecksumAlgorithm::xxhash64));
        for (const fs::path& roll : rolls) {
            const fs::path copy = roll / job.files[i].relativePath;
            EXPECT_EQ(readFile(copy), readFile(source)) << copy;
            EXPECT_EQ(modificationTime(copy).tv_sec, modificationTime(source).tv_sec) << copy;
            EXPECT_EQ(modificationTime(copy).tv_nsec, modificationTime(source).tv_nsec) << copy;
        }
    }
    for (std::size_t d = 0; d < rolls.size(); ++d) {
        EXPECT_TRUE(fs::is_directory(rolls[d] / "EMPTY"));
        EXPECT_TRUE(partialsUnder(rolls[d]).empty());
        EXPECT_EQ(result.destinations[d].verifiedFiles, 4);
        EXPECT_EQ(result.destinations[d].resumedFiles, 0);
        EXPECT_EQ(result.destinations[d].name, "SSD" + std::to_string(d + 1));
    }
    const TransferProgress p = engine.tracker().snapshot();
    EXPECT_EQ(p.phase, TransferPhase::done);
    EXPECT_EQ(p.fraction, 1.0);
    EXPECT_EQ(p.filesDone, 4);
    for (const DestinationProgress& dp : p.destinations) {
        EXPECT_EQ(dp.copiedBytes, job.totalBytes());
        EXPECT_EQ(dp.verifiedBytes, job.totalBytes());
    }
    EXPECT_TRUE(engine.waitUntilFinished(0));
    EXPECT_TRUE(engine.waitUntilFinished(0));
}

TEST_F(EngineCopy, ResumesWhatIsThereAndNeverOverwritesOtherContent) {
    makeCard();
    const fs::path full = disk / "full", clash = disk / "clash", fresh = disk / "fresh";
    for (const char* r : {"CLIPS/A001C001.MOV", "CLIPS/A001C002.MOV", "META/deep/info.xml", "empty.txt"})
        writeFile(full / r, readFile(card / r));
    writeFile(clash / "CLIPS/A001C002.MOV", "someone else's clip");
    // A link under a final name is never taken for the file, even when its target has the size.
    writeFile(disk / "elsewhere/info.xml", "<other/>");
    fs::create_directories(disk / "linked/META/deep");
    fs::create_symlink(disk / "elsewhere/info.xml", disk / "linked/META/deep/info.xml");
    writeFile(fresh / "CLIPS/.A001C001.MOV.quillane-partial", bytes(3 * TransferEngine::chunkSize, 9));

    TransferJob job = makeJob(card.path(), {full, clash, fresh, disk / "linked"}, /*verify=*/false,
                              ChecksumAlgorithm::md5);
    TransferEngine engine(job);
    FaultyFileIO counting;
    const TransferResult result = engine.run();

    // Nothing is written where every file already stands; each is read back even without verify.
    EXPECT_EQ(counting.calls(Call::write, full.string()), 0);
    EXPECT_EQ(counting.calls(Call::open, (full / "CLIPS/.").string()), 0);
    EXPECT_TRUE(result.destinations[0].succeeded());
    EXPECT_EQ(result.destinations[0].resumedFiles, 4);
    EXPECT_EQ(result.destinations[0].verifiedFiles, 4);

    // Another file under the same name fails only that destination and stays as it was.
    EXPECT_EQ(result.destinations[1].error, "Already exists with different content: CLIPS/A001C002.MOV");
    EXPECT_EQ(readFile(clash / "CLIPS/A001C002.MOV"), "someone else's clip");
    EXPECT_TRUE(fs::exists(clash / "CLIPS/A001C001.MOV"));  // finished before the clash
    EXPECT_FALSE(fs::exists(clash / "empty.txt"));          // the destination is out from there on

    EXPECT_EQ(result.destinations[3].error, "Already exists with different content: META/deep/info.xml");
    EXPECT_EQ(readFile(disk / "elsewhere/info.xml"), "<other/>");

    // A leftover partial file is replaced, not appended to; new copies are not read back.
    EXPECT_TRUE(result.destinations[2].succeeded());
    EXPECT_EQ(readFile(fresh / "CLIPS/A001C001.MOV"), readFile(card / "CLIPS/A001C001.MOV"));
    EXPECT_EQ(result.destinations[2].verifiedFiles, 0);
    EXPECT_EQ(engine.tracker().snapshot().destinations[2].verifiedBytes, 0);
    for (std::size_t i = 0; i < job.files.size(); ++i)
        EXPECT_EQ(result.hashes[i], independentChecksum(card / job.files[i].relativePath, ChecksumAlgorithm::md5));
}

TEST_F(EngineCopy, PauseAndCancelInsideALargeFileLeaveNoTraceOfIt) {
    writeClips(card.path(), MiB, 3 * TransferEngine::chunkSize, MiB);
    const std::vector<fs::path> rolls{disk / "one", disk / "two"};
    const TransferJob job = makeJob(card.path(), rolls);

    for (const bool pause : {true, false}) {
        TransferEngine engine(job);
        FaultyFileIO io;
        io.fail({.call = Call::read,
                 .pathContains = (card / "B.mov").string(),
                 .error = 0,
                 .afterBytes = static_cast<std::int64_t>(TransferEngine::chunkSize),
                 .once = true,
                 .before = [&] { pause ? engine.pause() : engine.cancel(); }});
        const TransferResult result = engine.run();
        EXPECT_TRUE(result.cancelled);
        EXPECT_EQ(result.paused, pause);
        EXPECT_FALSE(result.allSucceeded());
        EXPECT_TRUE(result.hashes[0]);
        EXPECT_FALSE(result.hashes[1]);
        EXPECT_FALSE(result.hashes[2]);
        for (const fs::path& roll : rolls) expectStoppedInB(roll, card.path());
        const TransferProgress p = engine.tracker().snapshot();
        EXPECT_EQ(p.phase, TransferPhase::done);
        EXPECT_EQ(p.filesDone, 1);
        EXPECT_EQ(p.destinations[0].verifiedBytes, 0);
    }

    // A new run finds the finished file and copies the rest.
    TransferEngine resumed(job);
    const TransferResult result = resumed.run();
    EXPECT_TRUE(result.allSucceeded());
    EXPECT_EQ(result.destinations[1].resumedFiles, 1);
    EXPECT_EQ(readFile(rolls[1] / "B.mov"), readFile(card / "B.mov"));
}

TEST_F(EngineCopy, AFullDestinationFailsAloneAndLeavesNoPartialFile) {
    TmpfsMount small(8 * MiB);
    if (!small.mounted()) GTEST_SKIP() << small.reason();
    writeClips(card.path(), MiB, 12 * MiB, MiB);
    const TransferJob job = makeJob(card.path(), {small / "A001", disk / "A001"});

    const TransferResult result = TransferEngine(job).run();
    EXPECT_EQ(result.destinations[0].error, "Write error on SSD1: No space left on device");
    expectStoppedInB(small / "A001", card.path());
    EXPECT_TRUE(partialsUnder(small.path()).empty());
    EXPECT_TRUE(result.destinations[1].succeeded());
    EXPECT_EQ(result.destinations[1].verifiedFiles, 3);
    EXPECT_FALSE(result.sourceError);
}

TEST_F(EngineCopy, NamesAsLongAsFileSystemsAllowAreCopied) {
    const std::string name = std::string(251, 'n') + ".MOV";  // 255 bytes, the most ext4 or tmpfs take
    writeFile(card / "CLIPS" / name, "clip");
    const fs::path final = disk / "ssd1/A001/CLIPS" / name;
    const fs::path partial = TransferEngine::partialPath(final);
    EXPECT_LE(partial.filename().string().size(), 255u);
    EXPECT_TRUE(partial.filename().string().ends_with(".quillane-partial"));
    writeFile(partial, "left by an interrupted run");

    const TransferResult result = TransferEngine(makeJob(card.path(), {disk / "ssd1/A001"})).run();
    ASSERT_TRUE(result.allSucceeded()) << result.destinations[0].error.value_or("");
    EXPECT_EQ(readFile(final), "clip");
    EXPECT_TRUE(partialsUnder(disk.path()).empty());
}

TEST_F(EngineCopy, ProgressSnapshotsFromAnotherThreadStayConsistent) {
    for (int i = 0; i < 40; ++i) writeFile(card / ("CLIP/" + std::to_string(i) + ".mov"), bytes(256 * 1024, i));
    writeFile(card / "CLIP/big.mov", bytes(2 * TransferEngine::chunkSize + 7, 99));
    const TransferJob job = makeJob(card.path(), {disk / "a", disk / "b", disk / "c"});
    TransferEngine engine(job);

    std::atomic<bool> running{true};
    std::thread poller([&] {
        TransferProgress last = engine.tracker().snapshot();
        while (running) {
            const TransferProgress p = engine.tracker().snapshot();
            EXPECT_GE(p.phase, last.phase);
            EXPECT_GE(p.copiedBytes, last.copiedBytes);
            EXPECT_GE(p.filesDone, last.filesDone);
            EXPECT_LE(p.copiedBytes, p.totalBytes);
            for (std::size_t d = 0; d < p.destinations.size(); ++d) {
                EXPECT_EQ(p.destinations[d].copiedBytes, p.copiedBytes);
                EXPECT_GE(p.destinations[d].verifiedBytes, last.destinations[d].verifiedBytes);
            }
            last = p;
        }
    });
    std::thread worker([&] { EXPECT_TRUE(engine.run().allSucceeded()); });
    EXPECT_TRUE(engine.waitUntilFinished(60));
    worker.join();
    running = false;
    poller.join();
    EXPECT_EQ(engine.tracker().snapshot().fraction, 1.0);
}

}  // namespace
}  // namespace quillane
