#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>

#include "Hashing/XXHash64.h"
#include "Support/Lang.h"
#include "Support/Text.h"
#include "Transfer/SourceScanner.h"
#include "support/FaultyFileIO.h"
#include "support/Scopes.h"
#include "support/TempDir.h"

namespace quillane {
namespace {

namespace fs = std::filesystem;
using testing::FaultyFileIO;
using testing::TempDir;
using testing::writeFile;

const std::set<std::string> video{"mov", "mp4", "mxf"};

std::vector<std::string> paths(const SourceScan& scan) {
    std::vector<std::string> out;
    for (const ScannedFile& f : scan.files) out.push_back(f.relativePath);
    return out;
}

// The whole card, with the video extensions above.
SourceScan scanCard(const fs::path& root) { return SourceScanner::scan(root, CopyMode::entireCard, video, false); }

// Why the whole card could not be scanned, or nothing when it could.
std::optional<SourceScanError> scanFailure(const fs::path& root, std::function<bool()> cancelled = {}) {
    try {
        SourceScanner::scan(root, CopyMode::entireCard, video, false, std::move(cancelled));
    } catch (const SourceScanError& e) {
        return e;
    }
    return std::nullopt;
}

void setModificationTime(const fs::path& path, std::int64_t seconds, long nanoseconds = 0) {
    struct timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(seconds), nanoseconds}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
}

TEST(SourceScanner, EmptyCardAndCardOfOnlyJunkLookTheSame) {
    TempDir empty, junk;
    writeFile(junk / ".DS_Store", "x");
    writeFile(junk / "._A001.MOV", "x");
    writeFile(junk / ".Spotlight-V100/Store-V2/index", "xxxx");
    writeFile(junk / "CLIP/.CLIP.MOV.quillane-partial", "half");
    writeFile(junk / ".Trash-1000/files/A001.MOV", "thrown away");  // what a Linux desktop leaves in the root
    writeFile(junk / "lost+found/#12", "x");
    fs::create_directories(junk / "CLIP");

    const SourceScan a = scanCard(empty.path());
    SourceScan b = scanCard(junk.path());
    EXPECT_TRUE(a.files.empty());
    EXPECT_TRUE(a.topLevel.empty());
    EXPECT_EQ(a.totalBytes, 0);
    EXPECT_EQ(a.fingerprint, XXHash64::toHex(XXHash64::hash(nullptr, 0)));
    EXPECT_TRUE(b.files.empty());
    EXPECT_EQ(b.directories, std::vector<std::string>{"CLIP"});  // the folder itself is kept
    EXPECT_EQ(b.fingerprint, a.fingerprint);
}

TEST(SourceScanner, EntireCardOrderGroupsAndTotals) {
    TempDir card;
    writeFile(card / "clip10.mov", "1234567890");
    writeFile(card / "clip9.mov", "123456789");
    writeFile(card / "Clip8.mov", "12345678");
    writeFile(card / "B/x.txt", "abc");
    writeFile(card / "a/deep/y.MXF", "abcd");
    fs::create_directories(card / "Empty");
    fs::create_symlink(card / "clip9.mov", card / "link.mov");
    fs::create_symlink(card / "B", card / "linkdir");

    const SourceScan scan = scanCard(card / "B/..");
    EXPECT_EQ(scan.root, card.path());
    EXPECT_EQ(paths(scan), (std::vector<std::string>{"a/deep/y.MXF", "B/x.txt", "Clip8.mov", "clip9.mov", "clip10.mov"}));
    EXPECT_EQ(scan.directories, (std::vector<std::string>{"B", "Empty", "a", "a/deep"}));
    EXPECT_EQ(scan.totalBytes, 10 + 9 + 8 + 3 + 4);
    EXPECT_EQ(scan.videoFileCount, 4);
    EXPECT_EQ(scan.skippedFileCount, 0);
    const std::vector<TopLevelEntry> expected{{"a", true, 4, 1},          {"B", true, 3, 1},
                                              {"Clip8.mov", false, 8, 1}, {"clip9.mov", false, 9, 1},
                                              {"clip10.mov", false, 10, 1}, {"Empty", true, 0, 0}};
    EXPECT_EQ(scan.topLevel, expected);
    ASSERT_TRUE(scan.files[0].modificationDate);
}

TEST(SourceScanner, VideoOnlyKeepsClipsTheirFoldersAndOptionallyAudio) {
    TempDir card;
    writeFile(card / "PRIVATE/M4ROOT/CLIP/C0001.MP4", "video");
    writeFile(card / "PRIVATE/M4ROOT/CLIP/C0001M01.XML", "<xml/>");
    writeFile(card / "PRIVATE/M4ROOT/SUB/C0001S03.BIM", "bim");
    writeFile(card / "AVF_INFO/AVIN0001.BNP", "bnp");
    writeFile(card / "SOUND/take1.WAV", "wave");

    const SourceScan noAudio = SourceScanner::scan(card.path(), CopyMode::videoOnly, {"mp4"}, false);
    EXPECT_EQ(paths(noAudio), std::vector<std::string>{"PRIVATE/M4ROOT/CLIP/C0001.MP4"});
    EXPECT_EQ(noAudio.directories, (std::vector<std::string>{"PRIVATE", "PRIVATE/M4ROOT", "PRIVATE/M4ROOT/CLIP"}));
    EXPECT_EQ(noAudio.skippedFileCount, 4);
    EXPECT_EQ(noAudio.videoFileCount, 1);
    ASSERT_EQ(noAudio.topLevel.size(), 1u);
    EXPECT_EQ(noAudio.topLevel[0].name, "PRIVATE");

    const SourceScan withAudio = SourceScanner::scan(card.path(), CopyMode::videoOnly, {"mp4"}, true);
    EXPECT_EQ(paths(withAudio), (std::vector<std::string>{"PRIVATE/M4ROOT/CLIP/C0001.MP4", "SOUND/take1.WAV"}));
    EXPECT_EQ(withAudio.videoFileCount, 1);
    EXPECT_EQ(withAudio.skippedFileCount, 3);
    EXPECT_NE(withAudio.fingerprint, noAudio.fingerprint);

    // The set is used as given: an upper-case entry matches nothing.
    const SourceScan upper = SourceScanner::scan(card.path(), CopyMode::videoOnly, {"MP4"}, false);
    EXPECT_TRUE(upper.files.empty());
    EXPECT_TRUE(upper.directories.empty());
}

TEST(SourceScanner, FingerprintFollowsPathsSizesAndWholeSecondsOfModification) {
    using namespace std::chrono;
    std::vector<ScannedFile> files(2);
    files[0].relativePath = "A/clip.mov";
    files[0].size = 42;
    files[0].modificationDate = system_clock::time_point(milliseconds(-1500));  // 1969-12-31 23:59:58.5
    files[1].relativePath = "b";
    files[1].size = 0;
    const std::string expected = "A/clip.mov\t42\t-1\nb\t0\t0\n";
    EXPECT_EQ(SourceScanner::fingerprint(files), XXHash64::hex(expected));
    files[1].creationDate = system_clock::now();
    EXPECT_EQ(SourceScanner::fingerprint(files), XXHash64::hex(expected));

    TempDir card;
    writeFile(card / "A001.MOV", "bytes");
    setModificationTime(card / "A001.MOV", 1700000000, 900000000);
    const SourceScan first = scanCard(card.path());
    EXPECT_EQ(first.fingerprint, XXHash64::hex("A001.MOV\t5\t1700000000\n"));
    EXPECT_EQ(first.videoFileCount, 1);  // "MOV" matches "mov"
    setModificationTime(card / "A001.MOV", 1700000001);
    EXPECT_NE(scanCard(card.path()).fingerprint, first.fingerprint);
}

TEST(SourceScanner, UnreadableRootOrSubFolderFailsTheScan) {
    quillane::testing::LanguageScope language{AppLanguage::en};
    TempDir card;
    const auto gone = scanFailure(card / "gone");
    ASSERT_TRUE(gone);
    EXPECT_EQ(gone->kind(), SourceScanError::Kind::unreadable);
    EXPECT_EQ(gone->errorDescription(), "Can't read the source: " + (card / "gone").string());

    writeFile(card / "CLIPS/A001.MOV", "a");
    writeFile(card / "CLIPS/BROKEN/A002.MOV", "b");
    writeFile(card / ".Trashes/x", "junk");
    writeFile(card / "lost+found/x", "junk");  // unreadable to a user on every ext4 volume
    FaultyFileIO io;
    io.fail({.call = FaultyFileIO::Call::open, .pathContains = "BROKEN"});
    io.fail({.call = FaultyFileIO::Call::open, .pathContains = ".Trashes"});
    io.fail({.call = FaultyFileIO::Call::open, .pathContains = "lost+found", .error = EACCES});
    const auto broken = scanFailure(card.path());
    ASSERT_TRUE(broken) << "a card with an unreadable folder must not scan as complete";
    EXPECT_EQ(broken->kind(), SourceScanError::Kind::unreadable);
    EXPECT_EQ(broken->path(), card / "CLIPS/BROKEN");
    EXPECT_EQ(io.calls(FaultyFileIO::Call::open, ".Trashes"), 0);  // junk is never entered
    EXPECT_EQ(io.calls(FaultyFileIO::Call::open, "lost+found"), 0);
    {  // a folder that breaks off while it is listed
        FaultyFileIO listing;
        listing.fail({.call = FaultyFileIO::Call::listDirectory, .pathContains = "CLIPS"});
        EXPECT_THROW(scanCard(card.path()), SourceScanError);
    }

    // An entry that vanished since its folder was listed is left out; the rest scans.
    {
        FaultyFileIO vanished;
        vanished.fail({.call = FaultyFileIO::Call::lstatx, .pathContains = "BROKEN", .error = ENOENT});
        EXPECT_EQ(paths(scanCard(card.path())),
                  std::vector<std::string>{"CLIPS/A001.MOV"});
    }
    // An entry the card can't describe fails the scan instead of going missing from the copy.
    FaultyFileIO attributes;
    attributes.fail({.call = FaultyFileIO::Call::lstatx, .pathContains = "A002", .error = EIO});
    const auto undescribed = scanFailure(card.path());
    ASSERT_TRUE(undescribed) << "a card with an unreadable entry must not scan as complete";
    EXPECT_EQ(undescribed->kind(), SourceScanError::Kind::unreadable);
    EXPECT_EQ(undescribed->path(), card / "CLIPS/BROKEN/A002.MOV");
}

// A name the manifests would not give back as it is on disk is refused before anything is copied,
// by the part of the path that holds it; names they carry, and entries that are not copied, pass.
TEST(SourceScanner, NamesNoManifestCanListAsTheyAreRefuseTheCard) {
    quillane::testing::LanguageScope language{AppLanguage::en};
    struct Case {
        std::string entry;     // written below the card; ends in "/" for a folder, "@" for a link
        CopyMode mode;
        std::string refused;   // the part named, empty when the card scans
        const char* reason;
    };
    const Case cases[] = {
        {"bad\xff\xfe.MP4", CopyMode::entireCard, "bad\xff\xfe.MP4", "is not valid UTF-8"},
        {"CLIPS/lat1_caf\xe9.MP4", CopyMode::entireCard, "CLIPS/lat1_caf\xe9.MP4", "is not valid UTF-8"},
        {"dir\xff" "bad/", CopyMode::entireCard, "dir\xff" "bad", "is not valid UTF-8"},
        {"dir\xff" "bad/A001.MP4", CopyMode::videoOnly, "dir\xff" "bad", "is not valid UTF-8"},
        {"A001.MP4\n", CopyMode::entireCard, "A001.MP4\n", "holds a control character"},
        {"tab\there.MP4", CopyMode::entireCard, "tab\there.MP4", "holds a control character"},
        {"cr\r.MP4", CopyMode::entireCard, "cr\r.MP4", "holds a control character"},
        {"bell\x07.MP4", CopyMode::entireCard, "bell\x07.MP4", "holds a control character"},
        {"c1\xc2\x85.MP4", CopyMode::entireCard, "c1\xc2\x85.MP4", "holds a control character"},
        {"nc\xef\xbf\xbe.MP4", CopyMode::entireCard, "nc\xef\xbf\xbe.MP4", "holds a control character"},
        {"caf\xc3\xa9.MP4", CopyMode::entireCard, "", ""},             // é composed
        {"cafe\xcc\x81.MP4", CopyMode::entireCard, "", ""},            // é decomposed
        {"R&D <1>/A001.MP4", CopyMode::entireCard, "", ""},
        {"take \xf0\x9f\x8e\xac.MP4", CopyMode::entireCard, "", ""},   // an emoji
        {"._bad\xff.MP4", CopyMode::entireCard, "", ""},               // junk is skipped
        {"link\xff.MP4@", CopyMode::entireCard, "", ""},               // links are not copied
        {"notes\xff.txt", CopyMode::videoOnly, "", ""},                // left out by video only
        {"empty\xff/notes.txt", CopyMode::videoOnly, "", ""},          // its folder is not created
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Text::visible(c.entry));
        TempDir card;
        writeFile(card / "A002.MP4", "clip");
        if (c.entry.ends_with('/'))
            fs::create_directories(card / c.entry);
        else if (c.entry.ends_with('@'))
            fs::create_symlink(card / "A002.MP4", card / c.entry.substr(0, c.entry.size() - 1));
        else
            writeFile(card / c.entry, "clip");
        std::optional<SourceScanError> failure;
        try {
            SourceScanner::scan(card.path(), c.mode, video, false);
        } catch (const SourceScanError& e) {
            failure = e;
        }
        if (c.refused.empty()) {
            EXPECT_FALSE(failure) << failure->errorDescription();
            continue;
        }
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->kind(), SourceScanError::Kind::unlistableName);
        EXPECT_EQ(failure->path(), card / c.refused);
        const std::string text = failure->errorDescription();
        EXPECT_NE(text.find(" " + Text::visible(c.refused) + " " + c.reason + ","), std::string::npos) << text;
        EXPECT_TRUE(Text::isValidUtf8(text));
    }
}

TEST(SourceScanner, DatesBeyondTheClocksRangeAreHeldAtItsEnds) {
    using namespace std::chrono;
    TempDir card;
    writeFile(card / "far.mov", "x");
    writeFile(card / "near.mov", "y");
    // 2400-01-01: some file systems store it; the clock ends in 2262.
    struct timespec times[2] = {{0, UTIME_OMIT}, {13'569'465'600, 0}};
    if (::utimensat(AT_FDCWD, (card / "far.mov").c_str(), times, 0) != 0) GTEST_SKIP() << "no far dates here";
    setModificationTime(card / "near.mov", 1700000000);
    const SourceScan scan = scanCard(card.path());
    ASSERT_EQ(scan.files.size(), 2u);
    ASSERT_TRUE(scan.files[0].modificationDate);
    EXPECT_GT(*scan.files[0].modificationDate, system_clock::time_point(seconds(9'000'000'000)));
    EXPECT_EQ(*scan.files[1].modificationDate, system_clock::time_point(seconds(1700000000)));
}

TEST(SourceScanner, CancelStopsAtTheFirstEntry) {
    TempDir card;
    writeFile(card / "A001.MOV", "a");
    int asked = 0;
    const auto cancelled = scanFailure(card.path(), [&] { return ++asked > 0; });
    ASSERT_TRUE(cancelled);
    EXPECT_EQ(cancelled->kind(), SourceScanError::Kind::cancelled);
    EXPECT_EQ(asked, 1);
}

}  // namespace
}  // namespace quillane
