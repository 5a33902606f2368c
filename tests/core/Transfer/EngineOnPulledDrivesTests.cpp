// The engine on real volumes, also ones that go away while it works: a card or a drive pulled (the
// exfat-fuse process killed: from then on every call on the volume fails, as with a pulled USB
// reader), an ext4 drive detached from the tree (umount -l), ext4 drives the kernel turns
// read-only or shuts down. The moment is picked by a hook on the engine's own file calls.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "EngineTestSupport.h"
#include "Support/Lang.h"
#include "support/FaultyFileIO.h"
#include "support/LoopVolume.h"

namespace quillane {
namespace {

using namespace enginetest;
using testing::FaultyFileIO;
using testing::LoopVolume;
using testing::TempDir;
using testing::readFile;
using testing::runCommand;
using testing::writeFile;
using Call = FaultyFileIO::Call;

// Kills the volume's exfat-fuse process and waits until the kernel has noticed: from then on
// every call on the volume fails, as when the reader or the drive is pulled from the cart.
void pull(const LoopVolume& volume) {
    const std::optional<int> daemon = volume.fuseDaemon();
    ASSERT_TRUE(daemon) << "no exfat-fuse process for " << volume.mountPoint();
    ASSERT_EQ(::kill(*daemon, SIGKILL), 0);
    for (int attempt = 0; attempt < 1000; ++attempt) {
        struct statfs st {};  // always asked of the FUSE process, never answered from a cache
        if (::statfs(volume.mountPoint().c_str(), &st) != 0 && errno == ENOTCONN) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    FAIL() << "the volume at " << volume.mountPoint() << " stayed reachable";
}

// Shuts an ext4 volume down as when the disk beneath it vanishes (the file systems' "going
// down" request, without flushing the journal): from then on every call on it fails with EIO.
void shutDown(const LoopVolume& volume) {
    const int fd = ::open(volume.mountPoint().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    std::uint32_t flags = 2;
    EXPECT_EQ(::ioctl(fd, _IOR('X', 125, std::uint32_t), &flags), 0) << std::strerror(errno);
    ::close(fd);
}

// Volumes made for the test: an exFAT card (through FUSE: no direct reads, no exclusive rename,
// no hard links) of three clips: a small one, one of a chunk and a bit more (the one
// interrupted), a small one after it; an ext4 drive "SSD" and further drives as a test needs.
class EngineOnPulledDrives : public ::testing::Test {
protected:
    using Kind = LoopVolume::Kind;

    void SetUp() override {
        for (auto kind : {Kind::ext4, Kind::exfat})
            if (auto reason = LoopVolume::unavailable(kind)) GTEST_SKIP() << *reason;
        Lang::current = AppLanguage::en;
    }

    LoopVolume volume(const std::string& name, Kind kind, const char* label) {
        LoopVolume::Options options;
        options.kind = kind;
        options.label = label;
        return LoopVolume(work / (name + ".img"), work / name, options);
    }
    LoopVolume filledCard() {
        LoopVolume card = volume("card", Kind::exfat, "A_CARD");
        writeFile(card.mountPoint() / "CLIP/A001.MOV", bytes(300'000, 1));
        writeFile(card.mountPoint() / "CLIP/A002.MOV", bytes(TransferEngine::chunkSize + (1 << 20), 2));
        writeFile(card.mountPoint() / "CLIP/A003.MOV", bytes(200'000, 3));
        return card;
    }
    // A job from the card to roll A001 on each drive.
    static TransferJob jobTo(const LoopVolume& card, std::initializer_list<const LoopVolume*> drives, bool verify = true) {
        std::vector<fs::path> rolls;
        for (const LoopVolume* drive : drives) rolls.push_back(drive->mountPoint() / "A001");
        return makeJob(card.mountPoint(), rolls, verify);
    }
    // A hook on the engine's first such call on a file of the roll on the drive.
    static FaultyFileIO::Rule hook(Call call, const LoopVolume& drive, const char* file, std::function<void()> before,
                                   std::int64_t afterBytes = 0) {
        return {.call = call,
                .pathContains = (drive.mountPoint() / "A001" / file).string(),
                .error = 0,
                .afterBytes = afterBytes,
                .once = true,
                .before = std::move(before)};
    }
    // A hook once the first chunk of the large clip has been written to the drive.
    static FaultyFileIO::Rule midWrite(const LoopVolume& drive, std::function<void()> before) {
        return hook(Call::write, drive, "CLIP/.A002.MOV", std::move(before), TransferEngine::chunkSize);
    }
    // Manifests of the given kind and a report on every drive that completes.
    static TransferJob withManifests(TransferJob job, MHLFormat format) {
        job.writeMHL = true;
        job.mhlFormat = format;
        job.report = ReportWriter::Info{"Feature", "A001", 3, "CARD", std::nullopt};
        return job;
    }
    // Detaches an ext4 drive from the tree (umount -l, as a desktop does when a drive goes).
    static void detach(const LoopVolume& drive) {
        ASSERT_EQ(runCommand({"umount", "-l", drive.mountPoint().string()}), 0);
    }
    // The clip stands under its final name, byte for byte the card's.
    static void expectFinal(const fs::path& roll, const std::string& clip, const std::string& content) {
        EXPECT_EQ(readFile(roll / clip), content) << roll / clip;
    }
    // The drives completed and verified all three clips.
    static void expectVerified(const TransferResult& result, std::initializer_list<int> drives) {
        for (int d : drives) {
            EXPECT_TRUE(result.destinations[d].succeeded()) << d << ": " << result.destinations[d].error.value_or("");
            EXPECT_EQ(result.destinations[d].verifiedFiles, 3) << d;
        }
    }

    TempDir work{"quillane-pulled"};
};

// Copied to an ext4 drive and an exFAT drive, where someone else's file appears just before a rename.
TEST_F(EngineOnPulledDrives, CopiesFromAnExFATCardToExt4AndExFATDrives) {
    LoopVolume card = filledCard();
    LoopVolume ssd = volume("ssd", Kind::ext4, "SSD");
    LoopVolume fat = volume("fat", Kind::exfat, "FAT");
    writeFile(card.mountPoint() / "MISC/a.xml", "<a/>");
    const fs::path clip = "CLIP/A002.MOV";
    setModificationTime(card.mountPoint() / clip, 1'700'000'000, 0);  // an even second, as exFAT keeps them
    ASSERT_EQ(modificationTime(card.mountPoint() / clip).tv_sec, 1'700'000'000);
    const TransferJob job = jobTo(card, {&ssd, &fat});

    FaultyFileIO io;
    io.fail({.call = Call::renameNoReplace,
             .pathContains = (fat.mountPoint() / "A001/MISC/a.xml").string(),
             .error = 0,
             .before = [&] { writeFile(fat.mountPoint() / "A001/MISC/a.xml", "theirs"); }});
    const TransferResult result = TransferEngine(job).run();

    EXPECT_TRUE(result.destinations[0].succeeded()) << result.destinations[0].error.value_or("");
    EXPECT_EQ(result.destinations[0].verifiedFiles, 4);
    EXPECT_EQ(result.destinations[1].error, "Already exists, not overwritten: a.xml");
    EXPECT_EQ(readFile(fat.mountPoint() / "A001/MISC/a.xml"), "theirs");
    EXPECT_TRUE(partialsUnder(fat.mountPoint()).empty());
    for (const auto& f : job.files) {
        expectFinal(ssd.mountPoint() / "A001", f.relativePath, readFile(card.mountPoint() / f.relativePath));
        if (f.relativePath != "MISC/a.xml")
            expectFinal(fat.mountPoint() / "A001", f.relativePath, readFile(card.mountPoint() / f.relativePath));
    }
    // Copies on both drives carry the card's modification time, also through exfat-fuse.
    EXPECT_EQ(modificationTime(ssd.mountPoint() / "A001" / clip).tv_sec, 1'700'000'000);
    EXPECT_EQ(modificationTime(fat.mountPoint() / "A001" / clip).tv_sec, 1'700'000'000);
}

TEST_F(EngineOnPulledDrives, ACardPulledMidFileEndsTheJobWithTheSourceError) {
    LoopVolume card = filledCard();
    LoopVolume ssd = volume("ssd", Kind::ext4, "SSD");
    LoopVolume fat = volume("fat", Kind::exfat, "FAT");
    const std::string first = readFile(card.mountPoint() / "CLIP/A001.MOV");
    const TransferJob job = jobTo(card, {&ssd, &fat});
    // Out of the cache: what the engine reads must come from the card.
    card.unmount();
    card.mount();

    // The reader goes when the first chunk of the large clip has been read.
    FaultyFileIO io;
    bool pulled = false;
    io.fail({.call = Call::read,
             .pathContains = (card.mountPoint() / "CLIP/A002.MOV").string(),
             .error = 0,
             .afterBytes = static_cast<std::int64_t>(TransferEngine::chunkSize),
             .once = true,
             .before = [&] {
                 pull(card);
                 pulled = true;
             }});
    TransferEngine engine(job);
    const TransferResult result = engine.run();

    ASSERT_TRUE(pulled);
    // The kernel answers every call on a volume whose FUSE process is gone with ENOTCONN.
    EXPECT_EQ(result.sourceError, "Read error on the source at CLIP/A002.MOV: Transport endpoint is not connected");
    EXPECT_FALSE(result.cancelled);
    EXPECT_TRUE(result.hashes[0]);
    EXPECT_FALSE(result.hashes[1]);
    EXPECT_FALSE(result.hashes[2]);
    for (const LoopVolume* drive : {&ssd, &fat}) {
        const fs::path roll = drive->mountPoint() / "A001";
        expectFinal(roll, "CLIP/A001.MOV", first);
        EXPECT_FALSE(fs::exists(roll / "CLIP/A002.MOV"));
        EXPECT_FALSE(fs::exists(roll / "CLIP/A003.MOV"));
        EXPECT_TRUE(partialsUnder(roll).empty()) << roll;
    }
    for (const DestinationResult& destination : result.destinations) EXPECT_FALSE(destination.error);
    EXPECT_TRUE(engine.waitUntilFinished(0));
    EXPECT_EQ(engine.tracker().snapshot().phase, TransferPhase::done);
}

// Three drives: ext4, exFAT (pulled mid-file), exFAT. Only the pulled drive fails; once it is
// back, the next run finds the clip that was finished before and copies the rest.
TEST_F(EngineOnPulledDrives, ADrivePulledMidFileFailsOnlyThatDrive) {
    LoopVolume card = filledCard();
    LoopVolume ssd = volume("ssd", Kind::ext4, "SSD");
    LoopVolume pulled = volume("pulled", Kind::exfat, "PULLED");
    LoopVolume fat = volume("fat", Kind::exfat, "FAT");
    const TransferJob job = jobTo(card, {&ssd, &pulled, &fat});
    {
        FaultyFileIO io;
        io.fail(midWrite(pulled, [&] { pull(pulled); }));
        TransferEngine engine(job);
        const TransferResult result = engine.run();

        ASSERT_FALSE(result.sourceError) << *result.sourceError;
        EXPECT_EQ(result.destinations[1].error, "Write error on SSD2: Transport endpoint is not connected");
        EXPECT_EQ(result.destinations[1].verifiedFiles, 0);
        const TransferProgress progress = engine.tracker().snapshot();
        EXPECT_FALSE(progress.destinations[0].error);
        EXPECT_EQ(progress.destinations[1].error, result.destinations[1].error);
        EXPECT_FALSE(progress.destinations[2].error);
        expectVerified(result, {0, 2});
        for (const LoopVolume* drive : {&ssd, &fat}) {
            for (const ScannedFile& file : job.files)
                expectFinal(drive->mountPoint() / "A001", file.relativePath,
                            readFile(card.mountPoint() / file.relativePath));
            EXPECT_TRUE(partialsUnder(drive->mountPoint()).empty());
        }
    }

    // The drive comes back: the clip synced before the pull is whole, the interrupted one never
    // got its final name.
    pulled.unmount();
    pulled.mount();
    const fs::path roll = pulled.mountPoint() / "A001";
    expectFinal(roll, "CLIP/A001.MOV", readFile(card.mountPoint() / "CLIP/A001.MOV"));
    EXPECT_FALSE(fs::exists(roll / "CLIP/A002.MOV"));
    EXPECT_FALSE(fs::exists(roll / "CLIP/A003.MOV"));

    const TransferResult again = TransferEngine(job).run();
    expectVerified(again, {0, 1, 2});
    EXPECT_EQ(again.destinations[1].resumedFiles, 1);
    for (const ScannedFile& file : job.files)
        expectFinal(roll, file.relativePath, readFile(card.mountPoint() / file.relativePath));
    EXPECT_TRUE(partialsUnder(roll).empty());
}

// Without read-back, a drive pulled after its last rename but before its folders were synced
// must not count as done: the renames may never have reached it.
TEST_F(EngineOnPulledDrives, ADrivePulledBeforeItsFoldersAreSyncedFails) {
    LoopVolume card = filledCard();
    LoopVolume ssd = volume("ssd", Kind::ext4, "SSD");
    LoopVolume pulled = volume("pulled", Kind::exfat, "PULLED");
    TransferJob job = jobTo(card, {&ssd, &pulled}, false);
    job.writeMHL = false;
    FaultyFileIO io;
    bool synced = false;
    // The syncs of the three copies go through; the drive goes before the sync of its roll folder.
    io.fail({.call = Call::fsync,
             .pathContains = (pulled.mountPoint() / "A001").string(),
             .error = 0,
             .skipCalls = 3,
             .once = true,
             .before = [&] {
                 synced = fs::exists(pulled.mountPoint() / "A001/CLIP/A003.MOV");
                 pull(pulled);
             }});
    const TransferResult result = TransferEngine(job).run();

    ASSERT_TRUE(synced);
    EXPECT_TRUE(result.destinations[0].succeeded()) << result.destinations[0].error.value_or("");
    EXPECT_EQ(result.destinations[1].error, "Write error on SSD2: Transport endpoint is not connected");
}

// An ext4 drive detached from the tree mid-file (umount -l, as a desktop does when a drive
// goes): the open partial file still takes the data, but its final name is gone with the
// drive, so that drive fails and nothing lands in the empty mount folder.
TEST_F(EngineOnPulledDrives, AnExt4DriveDetachedMidFileFailsOnlyThatDrive) {
    LoopVolume card = filledCard();
    LoopVolume ssd = volume("ssd", Kind::ext4, "SSD");
    LoopVolume detached = volume("detached", Kind::ext4, "DETACHED");
    LoopVolume fat = volume("fat", Kind::exfat, "FAT");
    const TransferJob job = jobTo(card, {&ssd, &detached, &fat});
    FaultyFileIO io;
    io.fail(midWrite(detached, [&] { detach(detached); }));
    const TransferResult result = TransferEngine(job).run();

    ASSERT_FALSE(result.sourceError) << *result.sourceError;
    EXPECT_EQ(result.destinations[1].error, "Can't finalize A002.MOV: No such file or directory");
    expectVerified(result, {0, 2});
    EXPECT_TRUE(fs::is_empty(detached.mountPoint()));
}

// A drive that goes between copying and read-back: its copies are missing, the other drives verify.
TEST_F(EngineOnPulledDrives, DrivesThatGoBeforeReadBackReportTheirFilesMissing) {
    LoopVolume card = filledCard();
    LoopVolume ssd = volume("ssd", Kind::ext4, "SSD");
    LoopVolume pulled = volume("pulled", Kind::exfat, "PULLED");
    LoopVolume detached = volume("detached", Kind::ext4, "DETACHED");
    const TransferJob job = withManifests(jobTo(card, {&ssd, &pulled, &detached}), MHLFormat::both);
    FaultyFileIO io;
    io.fail(hook(Call::open, pulled, "CLIP/A001.MOV", [&] { pull(pulled); }));
    io.fail(hook(Call::open, detached, "CLIP/A001.MOV", [&] { detach(detached); }));
    const TransferResult result = TransferEngine(job).run();

    ASSERT_FALSE(result.sourceError) << *result.sourceError;
    expectVerified(result, {0});
    EXPECT_TRUE(result.destinations[0].mhlURL);
    for (int d : {1, 2}) {
        const DestinationResult& gone = result.destinations[d];
        EXPECT_FALSE(gone.succeeded());
        EXPECT_EQ(gone.failedFiles, (std::vector<std::string>{"CLIP/A001.MOV", "CLIP/A002.MOV", "CLIP/A003.MOV"}));
        EXPECT_EQ(gone.verifiedFiles, 0);
        EXPECT_FALSE(gone.mhlURL);
        EXPECT_FALSE(gone.reportURL);
    }
    EXPECT_TRUE(fs::is_empty(detached.mountPoint()));
}

// A drive detached after its last copy was read back, just before its manifest: the manifest
// and the report must not be written into the empty mount folder on the system disk, and the
// drive must not be reported as done.
TEST_F(EngineOnPulledDrives, ADriveDetachedBeforeItsManifestGetsNoneAndFails) {
    LoopVolume card = filledCard();
    LoopVolume ssd = volume("ssd", Kind::ext4, "SSD");
    LoopVolume detached = volume("detached", Kind::ext4, "DETACHED");
    const TransferJob job = withManifests(jobTo(card, {&ssd, &detached}), MHLFormat::asc);
    FaultyFileIO io;
    io.fail(hook(Call::close, detached, "CLIP/A003.MOV", [&] { detach(detached); }));
    const TransferResult result = TransferEngine(job).run();

    EXPECT_TRUE(result.destinations[0].succeeded());
    EXPECT_TRUE(result.destinations[0].mhlURL && result.destinations[0].reportURL);
    const DestinationResult& gone = result.destinations[1];
    EXPECT_EQ(gone.verifiedFiles, 3);
    EXPECT_FALSE(gone.succeeded());
    EXPECT_EQ(gone.error, "Can't write MHL: " + (detached.mountPoint() / "A001").string() +
                              " no longer lies on the drive (No such file or directory)");
    EXPECT_FALSE(gone.mhlURL);
    EXPECT_FALSE(gone.reportURL);
    EXPECT_TRUE(fs::is_empty(detached.mountPoint()));
}

// The kernel gives up on two ext4 drives mid-file: one is turned read-only after an error on it
// (errors=remount-ro; a plain remount refuses while a file is open for writing), the other is
// shut down as when the disk beneath it vanishes (every call fails with EIO). Each fails with its
// write error; the third drive completes and verifies.
TEST_F(EngineOnPulledDrives, DrivesTheKernelGivesUpOnMidFileFailOnlyThemselves) {
    LoopVolume card = filledCard();
    LoopVolume ssd = volume("ssd", Kind::ext4, "SSD");
    LoopVolume readOnly = volume("ro", Kind::ext4, "READONLY");
    LoopVolume dead = volume("dead", Kind::ext4, "DEAD");
    const fs::path trigger = fs::path("/sys/fs/ext4") / fs::path(readOnly.device()).filename() / "trigger_fs_error";
    if (::access(trigger.c_str(), W_OK) != 0)
        GTEST_SKIP() << "ext4 errors cannot be raised on demand here (" << trigger << ")";
    ASSERT_EQ(runCommand({"mount", "-o", "remount,errors=remount-ro", readOnly.mountPoint().string()}), 0);
    const TransferJob job = jobTo(card, {&ssd, &readOnly, &dead});
    FaultyFileIO io;
    io.fail(midWrite(readOnly, [&] {
                 const int fd = ::open(trigger.c_str(), O_WRONLY | O_CLOEXEC);
                 ASSERT_GE(fd, 0) << std::strerror(errno);
                 EXPECT_GT(::write(fd, "the drive failed", 16), 0) << std::strerror(errno);
                 ::close(fd);
             }));
    io.fail(midWrite(dead, [&] { shutDown(dead); }));
    const TransferResult result = TransferEngine(job).run();

    ASSERT_FALSE(result.sourceError) << *result.sourceError;
    expectVerified(result, {0});
    EXPECT_EQ(result.destinations[1].error, "Write error on SSD2: Read-only file system");
    EXPECT_EQ(result.destinations[2].error, "Write error on SSD3: Input/output error");
    EXPECT_TRUE(fs::exists(readOnly.mountPoint() / "A001/CLIP/A001.MOV"));
    EXPECT_FALSE(fs::exists(readOnly.mountPoint() / "A001/CLIP/A002.MOV"));
}

// An ext4 drive shut down while the last batch of small files waits for its sync: no file of
// that batch gets its final name, the drive fails with its write error, and the other drive
// completes and verifies.
TEST_F(EngineOnPulledDrives, ADriveThatDiesBeforeItsBatchIsSyncedGetsNoneOfItsBatch) {
    LoopVolume card = filledCard();
    LoopVolume ssd = volume("ssd", Kind::ext4, "SSD");
    LoopVolume dead = volume("dead", Kind::ext4, "DEAD");
    TransferJob job = jobTo(card, {&ssd, &dead});
    job.writeMHL = false;
    FaultyFileIO io;
    // The first batch (A001) goes through; the drive goes before the sync of the last (A003).
    io.fail({.call = Call::syncfs,
             .pathContains = dead.mountPoint().string(),
             .error = 0,
             .skipCalls = 1,
             .once = true,
             .before = [&] { shutDown(dead); }});
    const TransferResult result = TransferEngine(job).run();

    ASSERT_FALSE(result.sourceError) << *result.sourceError;
    EXPECT_EQ(io.failures(Call::syncfs), 0);  // the sync itself found the dead drive
    expectVerified(result, {0});
    EXPECT_EQ(result.destinations[1].error, "Write error on SSD2: Input/output error");
    EXPECT_FALSE(result.gotCompleteCopy(1));
    std::error_code error;
    EXPECT_FALSE(fs::exists(dead.mountPoint() / "A001/CLIP/A003.MOV", error));
}

}  // namespace
}  // namespace quillane
