#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "Support/Lang.h"
#include "Transfer/DestinationFiles.h"
#include "Transfer/TransferFiles.h"
#include "support/FaultyFileIO.h"
#include "support/Scopes.h"
#include "support/TmpfsMount.h"

#include <sys/mount.h>

namespace quillane {
namespace {

using namespace enginetest;
using testing::FaultyFileIO;
using testing::TempDir;
using testing::readFile;
using testing::writeFile;
using Call = FaultyFileIO::Call;

class EngineFaults : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        writeClips(card.path(), 300'000, 3 << 20, 100'000);
    }
    TransferJob job(bool verify = true) { return makeJob(card.path(), {disk / "ssd1", disk / "ssd2"}, verify); }
};

TEST_F(EngineFaults, AWriteErrorTakesOnlyItsDestinationOut) {
    FaultyFileIO io;
    io.fail({.call = Call::write, .pathContains = at("ssd2", ".B.mov"), .error = EIO, .afterBytes = 1 << 20});
    const TransferResult result = TransferEngine(job()).run();

    EXPECT_EQ(result.destinations[1].error, "Write error on SSD2: Input/output error");
    expectStoppedInB(disk / "ssd2", card.path());
    EXPECT_TRUE(result.destinations[0].succeeded());
    EXPECT_EQ(result.destinations[0].verifiedFiles, 3);
    EXPECT_EQ(result.destinations[1].verifiedFiles, 0);  // a destination with an error is not read back
    EXPECT_FALSE(result.sourceError);
}

TEST_F(EngineFaults, ASourceThatFailsMidFileEndsTheJob) {
    FaultyFileIO io;
    io.fail({.call = Call::read, .pathContains = (card / "B.mov").string(), .afterBytes = 1 << 20});
    TransferEngine engine(job());
    const TransferResult result = engine.run();

    EXPECT_EQ(result.sourceError, "Read error on the source at B.mov: Input/output error");
    EXPECT_TRUE(result.hashes[0]);
    EXPECT_FALSE(result.hashes[1]);
    for (const char* d : {"ssd1", "ssd2"}) expectStoppedInB(disk / d, card.path());
    EXPECT_FALSE(result.destinations[0].error);  // the source's fault, not the drive's
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(engine.tracker().snapshot().phase, TransferPhase::done);
    EXPECT_EQ(engine.tracker().snapshot().destinations[0].verifiedBytes, 0);
    EXPECT_TRUE(engine.waitUntilFinished(0));

    // A file that can't be opened at all.
    FaultyFileIO denied;
    denied.fail({.call = Call::open, .pathContains = (card / "C.mov").string(), .error = EACCES});
    EXPECT_EQ(TransferEngine(job()).run().sourceError, "Can't read C.mov: Permission denied");
}

TEST_F(EngineFaults, AFailedSyncOrCloseIsAWriteErrorAndNothingIsRenamed) {
    {  // a write-back failure seen while streaming a long file is not reported again by fsync
        writeFile(card / "B.mov", bytes(2 * TransferEngine::chunkSize + 5, 2));
        FaultyFileIO io;
        io.fail({.call = Call::syncFileRange, .pathContains = at("ssd2", ".B.mov")});
        const TransferResult result = TransferEngine(job()).run();
        EXPECT_EQ(result.destinations[1].error, "Write error on SSD2: Input/output error");
        EXPECT_FALSE(fs::exists(disk / "ssd2/B.mov"));
        EXPECT_TRUE(result.destinations[0].succeeded());
        fs::remove_all(disk / "ssd1");
        fs::remove_all(disk / "ssd2");
    }
    FaultyFileIO io;
    io.fail({.call = Call::fsync, .pathContains = at("ssd1", ".B.mov")});
    io.fail({.call = Call::close, .pathContains = at("ssd2", ".A.mov"), .error = EIO});
    const TransferResult result = TransferEngine(job(/*verify=*/false)).run();

    EXPECT_EQ(result.destinations[0].error, "Write error on SSD1: Input/output error");
    EXPECT_TRUE(fs::exists(disk / "ssd1/A.mov"));
    EXPECT_FALSE(fs::exists(disk / "ssd1/B.mov"));
    EXPECT_EQ(result.destinations[1].error, "Write error on SSD2: Input/output error");
    EXPECT_FALSE(fs::exists(disk / "ssd2/A.mov"));
    EXPECT_TRUE(partialsUnder(disk.path()).empty());
    EXPECT_FALSE(result.allSucceeded());
}

TEST_F(EngineFaults, SmallFilesGetTheirFinalNamesOnlyOnceTheirBatchIsDurable) {
    // One batch of three: a failed sync of the volume fails only that destination, and none of
    // its batch gets a final name or stays behind as a partial. The other one's batch takes one
    // sync of its volume, and a sync per file only where that does not cover the files (a volume
    // of a kind the engine does not know, or not ext4, XFS or Btrfs).
    writeFile(card / "B.mov", bytes(200'000, 2));
    for (const bool kindKnown : {true, false}) {
        FaultyFileIO io;
        io.fail({.call = Call::syncfs, .pathContains = at("ssd2", "")});
        if (!kindKnown) io.fail({.call = Call::fileSystemType});
        const TransferResult result = TransferEngine(job()).run();
        EXPECT_TRUE(result.gotCompleteCopy(0)) << result.destinations[0].error.value_or("");
        EXPECT_EQ(result.destinations[1].error, "Write error on SSD2: Input/output error");
        for (const char* name : {"A.mov", "B.mov", "C.mov"}) EXPECT_FALSE(fs::exists(disk / "ssd2" / name));
        EXPECT_TRUE(partialsUnder(disk.path()).empty());
        EXPECT_EQ(io.calls(Call::syncfs, at("ssd1", "")), 1);  // one sync for the whole batch
        const bool covered = kindKnown && TransferFiles::volumeSyncCoversFiles(disk.path());
        EXPECT_EQ(io.calls(Call::fsync, at("ssd1", ".")), covered ? 0 : 3) << kindKnown;
        fs::remove_all(disk / "ssd1");
        fs::remove_all(disk / "ssd2");
    }
    // A stop inside the batch: nothing of it stays, under either name.
    TransferEngine engine(job());
    FaultyFileIO io;
    io.fail({.call = Call::open, .pathContains = (card / "C.mov").string(), .error = 0, .before = [&] { engine.cancel(); }});
    const TransferResult result = engine.run();
    EXPECT_TRUE(result.cancelled);
    for (const char* name : {"A.mov", "B.mov", "C.mov"}) EXPECT_FALSE(fs::exists(disk / "ssd1" / name));
    EXPECT_TRUE(partialsUnder(disk.path()).empty());
}

TEST_F(EngineFaults, NothingIsReplacedWhenTheVolumeLacksTheExclusiveRename) {
    quillane::testing::LanguageScope language;
    FaultyFileIO io;
    // ssd1: no exclusive rename, and a file appears under the final name while copying.
    io.fail({.call = Call::renameNoReplace,
             .pathContains = at("ssd1", "B.mov"),
             .error = EINVAL,
             .before = [&] { writeFile(disk / "ssd1/B.mov", "arrived meanwhile"); }});
    // ssd2: neither exclusive rename nor hard links (FAT-like): look, then rename.
    io.fail({.call = Call::renameNoReplace, .pathContains = at("ssd2", ""), .error = EINVAL});
    io.fail({.call = Call::link, .pathContains = at("ssd2", ""), .error = EPERM});
    const TransferResult result = TransferEngine(job()).run();

    EXPECT_EQ(result.destinations[0].error, "Already exists, not overwritten: B.mov");
    EXPECT_EQ(readFile(disk / "ssd1/B.mov"), "arrived meanwhile");
    EXPECT_TRUE(partialsUnder(disk / "ssd1").empty());
    EXPECT_TRUE(result.destinations[1].succeeded());
    EXPECT_EQ(io.calls(Call::rename, at("ssd2", "")), 3);
    for (const char* name : {"A.mov", "B.mov", "C.mov"})
        EXPECT_EQ(readFile(disk / "ssd2" / name), readFile(card / name));

    // The exclusive rename itself, on a real file system.
    writeFile(disk / "x/.final.quillane-partial", "new");
    writeFile(disk / "x/final", "old");
    EXPECT_EQ(TransferEngine::moveIntoPlace(disk / "x/.final.quillane-partial", disk / "x/final"),
              "Already exists, not overwritten: final");
    EXPECT_EQ(readFile(disk / "x/final"), "old");
    Lang::current = AppLanguage::nl;
    EXPECT_EQ(TransferEngine::moveIntoPlace(disk / "x/.final.quillane-partial", disk / "x/final"),
              "Bestaat al, niet overschreven: final");
    // Any other failure names the file and the system's reason.
    Lang::current = AppLanguage::en;
    FaultyFileIO broken;
    broken.fail({.call = Call::renameNoReplace, .pathContains = at("x", "other"), .error = EIO});
    EXPECT_EQ(TransferEngine::moveIntoPlace(disk / "x/.final.quillane-partial", disk / "x/other"),
              "Can't finalize other: Input/output error");
    EXPECT_FALSE(fs::exists(disk / "x/other"));
}

TEST_F(EngineFaults, DestinationsThatCannotBePreparedAreLeftOut) {
    writeFile(disk / "file", "not a folder");
    TransferJob broken = makeJob(card.path(), {disk / "file/A001", disk / "ok"});
    FaultyFileIO io;
    io.fail({.call = Call::open, .pathContains = at("ok", ".C.mov"), .error = ENOSPC});
    TransferResult result = TransferEngine(broken).run();
    ASSERT_TRUE(result.destinations[0].error);
    EXPECT_TRUE(result.destinations[0].error->starts_with("Can't create folders: "));
    EXPECT_EQ(result.destinations[1].error, "Can't write to SSD2: No space left on device");
    EXPECT_TRUE(fs::exists(disk / "ok/B.mov"));
    EXPECT_EQ(result.destinations[1].verifiedFiles, 0);  // a destination with an error is not read back

    // Every destination out before the first file: the card is never opened.
    FaultyFileIO counting;
    broken.destinations = {{"X", disk / "file/A"}, {"Y", disk / "file/B"}};
    TransferEngine engine(broken);
    result = engine.run();
    EXPECT_EQ(counting.calls(Call::open, card.path().string()), 0);
    EXPECT_EQ(result.hashes, std::vector<std::optional<std::string>>(3));
    EXPECT_EQ(engine.tracker().snapshot().phase, TransferPhase::done);

    // No destinations at all: nothing opened, never a success.
    broken.destinations.clear();
    result = TransferEngine(broken).run();
    EXPECT_TRUE(result.destinations.empty());
    EXPECT_FALSE(result.allSucceeded());
    EXPECT_EQ(counting.calls(Call::open, card.path().string()), 0);
}

TEST_F(EngineFaults, ADestinationOffItsDriveIsNeverWritten) {
    // What stands under a final name: the one rule of the engine and the model.
    writeFile(disk / "same.mov", "12345");
    writeFile(disk / "other.mov", "1234");
    fs::create_directory(disk / "folder.mov");
    fs::create_symlink(disk / "same.mov", disk / "link.mov");
    EXPECT_EQ(DestinationFiles::check(disk / "none.mov", 5), DestinationFile::missing);
    EXPECT_EQ(DestinationFiles::check(disk / "same.mov", 5), DestinationFile::present);
    for (const char* name : {"other.mov", "folder.mov", "link.mov"})
        EXPECT_EQ(DestinationFiles::check(disk / name, 5), DestinationFile::conflict) << name;

    // A drive pinned by its device: a roll folder that no longer lies on it gets nothing.
    TransferJob pinned = job();
    const dev_t here = *DestinationFiles::volumeOf(disk.path());
    pinned.destinations[0].volume = here + 1;
    pinned.destinations[1].volume = here;
    TransferResult result = TransferEngine(pinned).run();
    EXPECT_EQ(result.destinations[0].error,
              "Can't write to SSD1: " + (disk / "ssd1").string() + " no longer lies on the drive");
    EXPECT_FALSE(fs::exists(disk / "ssd1"));
    EXPECT_TRUE(result.gotCompleteCopy(1));

    // The real case: the drive went and its mount folder stayed behind on the system disk.
    testing::TmpfsMount drive(1 << 20);
    if (!drive.mounted()) GTEST_SKIP() << drive.reason();
    pinned.destinations[0] = {"SSD1", drive / "Feature/A001", DestinationFiles::volumeOf(drive.path())};
    ASSERT_EQ(::umount2(drive.path().c_str(), 0), 0);
    result = TransferEngine(pinned).run();
    EXPECT_TRUE(result.destinations[0].error);
    EXPECT_TRUE(fs::is_empty(drive.path()));
}

TEST_F(EngineFaults, WhatThrowsBecomesTheSourceErrorAndTheFinishIsSignalled) {
    // No memory, no thread, no MD5 context: on the calling thread or inside a worker of the pool.
    for (Call call : {Call::open, Call::write}) {
        FaultyFileIO io;
        io.fail({.call = call, .pathContains = call == Call::open ? "B.mov" : at("ssd2", ".B.mov"), .error = 0,
                 .before = [] { throw std::bad_alloc(); }});
        TransferEngine engine(job());
        const TransferResult result = engine.run();
        EXPECT_TRUE(engine.waitUntilFinished(0));
        ASSERT_TRUE(result.sourceError);
        EXPECT_TRUE(result.sourceError->starts_with("The transfer could not go on: ")) << *result.sourceError;
        EXPECT_FALSE(result.allSucceeded());
        EXPECT_EQ(engine.tracker().snapshot().phase, TransferPhase::done);
        EXPECT_TRUE(partialsUnder(disk.path()).empty());
        EXPECT_FALSE(fs::exists(disk / "ssd1/B.mov"));
    }
}

TEST_F(EngineFaults, APathThatLeadsOutOfTheCardIsRefused) {
    writeFile(disk / "outside.mov", "not on the card");
    TransferJob hostile = job();
    const std::string outside = "../" + disk.path().filename().string() + "/outside.mov";
    hostile.files.insert(hostile.files.begin(), ScannedFile{outside, 15, {}, {}});
    hostile.directories = {"../escaped"};
    const TransferResult result = TransferEngine(hostile).run();
    ASSERT_TRUE(result.sourceError);
    EXPECT_TRUE(result.sourceError->ends_with(": Invalid argument")) << *result.sourceError;
    EXPECT_FALSE(fs::exists(disk / "escaped"));
    EXPECT_FALSE(fs::exists(disk / "ssd1/A.mov"));
    EXPECT_EQ(readFile(disk / "outside.mov"), "not on the card");
}

TEST_F(EngineFaults, ReadBackFindsChangedAndMissingCopies) {
    FaultyFileIO io;
    // Between copy and read-back a copy changes on ssd1 and another disappears from ssd2.
    io.fail({.call = Call::open, .pathContains = at("ssd1", "B.mov"), .error = 0, .before = [&] {
                 std::string changed = readFile(disk / "ssd1/B.mov");
                 changed[12345] ^= 1;
                 writeFile(disk / "ssd1/B.mov", changed);
             }});
    io.fail({.call = Call::open, .pathContains = at("ssd2", "A.mov"), .error = 0,
             .before = [&] { fs::remove(disk / "ssd2/A.mov"); }});
    // A copy that can't be written back, or dropped from the cache, before it is read: what would
    // be read might never have come from the drive.
    io.fail({.call = Call::syncFileRange, .pathContains = at("ssd1", "C.mov")});
    io.fail({.call = Call::posixFadvise, .pathContains = at("ssd2", "C.mov"), .once = true});
    TransferEngine engine(job());
    const TransferResult result = engine.run();

    EXPECT_FALSE(result.destinations[0].error);
    EXPECT_EQ(result.destinations[0].failedFiles, (std::vector<std::string>{"B.mov", "C.mov"}));
    EXPECT_EQ(result.destinations[0].verifiedFiles, 1);
    EXPECT_FALSE(result.destinations[0].succeeded());
    EXPECT_EQ(result.destinations[1].failedFiles, (std::vector<std::string>{"A.mov", "C.mov"}));
    const TransferProgress p = engine.tracker().snapshot();
    EXPECT_EQ(p.destinations[0].error, "Checksum mismatch: B.mov");
    EXPECT_EQ(p.destinations[1].error, "File missing: A.mov");
    EXPECT_FALSE(result.allSucceeded());
}

}  // namespace
}  // namespace quillane
