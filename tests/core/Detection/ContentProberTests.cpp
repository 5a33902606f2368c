#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "Detection/ContentProber.h"
#include "Detection/MediaTypes.h"
#include "ProbeSupport.h"
#include "support/LoopVolume.h"
#include "support/TempDir.h"

using namespace quillane;
using quillane::testing::LoopVolume;
using quillane::testing::TempDir;
using quillane::testing::writeFile;
namespace fs = std::filesystem;

namespace {

ContentProbe probe(const fs::path& root, std::int64_t limit = 5000) {
    return ContentProber::probe(root, detectiontest::videoExtensions(), limit);
}

void touch(const TempDir& dir, const std::string& relative) { writeFile(dir / relative, ""); }

}  // namespace

TEST(ContentProber, SonyCardTreeIsDescribedFromTheTop) {
    TempDir card;
    touch(card, "PRIVATE/M4ROOT/CLIP/C0001.MP4");
    const ContentProbe p = probe(card.path());
    EXPECT_EQ(p.directoryPaths, (std::set<std::string>{"PRIVATE", "PRIVATE/M4ROOT", "PRIVATE/M4ROOT/CLIP"}));
    EXPECT_EQ(p.rootNames, std::vector<std::string>{"PRIVATE"});
    EXPECT_EQ(p.shallowVideoCount, 1);
    EXPECT_EQ(p.deepVideoCount, 0);
    EXPECT_EQ(p.extensionCounts, (std::map<std::string, std::int64_t>{{"mp4", 1}}));
    EXPECT_EQ(p.sampleVideoNames, std::vector<std::string>{"C0001.MP4"});
    EXPECT_FALSE(p.truncated);
    EXPECT_FALSE(p.accessDenied);
}

TEST(ContentProber, ShallowAndDeepDependOnDepthAndCameraTree) {
    TempDir volume;
    touch(volume, "private/readme.txt");       // a lower-case root folder is recorded upper-cased
    touch(volume, "A/B/C/D/clip.mov");         // depth 5 outside a camera tree: deep
    touch(volume, "A/B/C/D/E/hidden.mov");     // depth 6: never seen
    touch(volume, "A/B/C/take.wav");           // depth 4: deep audio counts nowhere
    touch(volume, "A/B/near.wav");             // depth 3: shallow audio
    touch(volume, "dcim/X/Y/Z/clip.mov");      // depth 5 inside a camera tree: shallow
    touch(volume, "README");                   // no extension: only a root name
    const ContentProbe p = probe(volume.path());
    EXPECT_TRUE(p.hasDirectory("PRIVATE"));
    EXPECT_TRUE(p.hasDirectory("A/B/C"));
    EXPECT_FALSE(p.hasDirectory("A/B/C/D"));  // entered, not recorded
    EXPECT_FALSE(p.hasDirectory("DCIM/X/Y/Z"));
    EXPECT_EQ(p.deepVideoCount, 1);
    EXPECT_EQ(p.shallowVideoCount, 1);
    EXPECT_EQ(p.sampleVideoNames, std::vector<std::string>{"clip.mov"});
    EXPECT_EQ(p.count("mov"), 1);
    EXPECT_EQ(p.audioFileCount, 1);
    EXPECT_EQ(p.count("wav"), 1);
    EXPECT_EQ(p.count("txt"), 1);
    EXPECT_EQ(p.rootNames, (std::vector<std::string>{"A", "README", "dcim", "private"}));  // code-point order
}

TEST(ContentProber, JunkHiddenAndLinuxLitterStayOutOfTheRootNames) {
    TempDir volume;
    fs::create_directories(volume / ".Trashes");
    touch(volume, "._A001.mov");
    touch(volume, ".hidden/inside.mov");
    touch(volume, ".Trash-1000/files/old.mov");
    touch(volume, "lost+found/#1234.mov");
    touch(volume, "$RECYCLE.BIN/x.mov");
    ContentProbe p = probe(volume.path());
    EXPECT_TRUE(p.isEmpty());
    EXPECT_EQ(p.shallowVideoCount, 1);  // the hidden folder is still walked
    EXPECT_TRUE(p.hasDirectory(".HIDDEN"));
    EXPECT_FALSE(p.hasDirectory(".TRASH-1000"));
    EXPECT_FALSE(p.hasDirectory("LOST+FOUND"));

    // Only in the root: deeper down these are ordinary folders.
    touch(volume, "Project/lost+found/a.mov");
    p = probe(volume.path());
    EXPECT_EQ(p.shallowVideoCount, 2);
    EXPECT_TRUE(MediaTypes::isJunk(".Trash-0", true));
    EXPECT_TRUE(MediaTypes::isJunk(".Trash", true));
    EXPECT_FALSE(MediaTypes::isJunk(".Trash-", true));
    EXPECT_FALSE(MediaTypes::isJunk(".Trash-10a", true));
    EXPECT_FALSE(MediaTypes::isJunk("Lost+Found", true));
}

TEST(ContentProber, EntryLimitCountsEveryLookedAtEntryAndStopsTheWalk) {
    TempDir volume;
    for (const char* name : {"a.mov", "b.mov", "c.mov", "d.mov", "e.mov"}) touch(volume, name);
    touch(volume, ".DS_Store");  // junk never counts against the limit
    ContentProbe p = probe(volume.path(), 3);
    EXPECT_TRUE(p.truncated);
    EXPECT_EQ(p.rootNames, (std::vector<std::string>{"a.mov", "b.mov", "c.mov"}));
    EXPECT_EQ(p.shallowVideoCount, 3);

    p = probe(volume.path(), 5);
    EXPECT_FALSE(p.truncated);
    EXPECT_EQ(p.shallowVideoCount, 5);

    p = probe(volume.path(), 0);
    EXPECT_TRUE(p.truncated);
    EXPECT_TRUE(p.isEmpty());

    // Breadth first: with a small budget the root is seen before anything below it.
    TempDir tree;
    touch(tree, "A/deep1.mov");
    touch(tree, "B/deep2.mov");
    touch(tree, "C.mov");
    p = probe(tree.path(), 3);
    EXPECT_EQ(p.rootNames, (std::vector<std::string>{"A", "B", "C.mov"}));
    EXPECT_EQ(p.shallowVideoCount, 1);
    EXPECT_TRUE(p.truncated);
    p = probe(tree.path(), 4);
    EXPECT_TRUE(p.truncated);
    EXPECT_EQ(p.shallowVideoCount, 2);
    p = probe(tree.path(), 5);
    EXPECT_FALSE(p.truncated);
    EXPECT_EQ(p.shallowVideoCount, 3);
}

TEST(ContentProber, AHugeFolderGivesTheFirstNamesInOrderWithinTheBudget) {
    TempDir volume;
    // More than the listing keeps in memory at once (budget plus 1024), made in reverse order.
    for (int i = 1499; i >= 0; --i) {
        const int fd = ::open((volume / std::string("f").append(std::to_string(100000 + i)).append(".txt")).c_str(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0);
        ::close(fd);
    }
    const ContentProbe p = probe(volume.path(), 100);
    EXPECT_TRUE(p.truncated);
    ASSERT_EQ(p.rootNames.size(), 100u);
    EXPECT_EQ(p.rootNames.front(), "f100000.txt");
    EXPECT_EQ(p.rootNames.back(), "f100099.txt");
    EXPECT_TRUE(std::is_sorted(p.rootNames.begin(), p.rootNames.end()));
    EXPECT_EQ(p.count("txt"), 100);
}

TEST(ContentProber, SampleNamesStopAtTwentyFour) {
    TempDir volume;
    for (int i = 1; i <= 25; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "DCIM/C%04d.MP4", i);
        touch(volume, name);
    }
    const ContentProbe p = probe(volume.path());
    EXPECT_EQ(p.shallowVideoCount, 25);
    ASSERT_EQ(p.sampleVideoNames.size(), 24u);
    EXPECT_EQ(p.sampleVideoNames.front(), "C0001.MP4");
    EXPECT_EQ(p.sampleVideoNames.back(), "C0024.MP4");
}

TEST(ContentProber, SymbolicLinksAreCountedButNeverFollowed) {
    TempDir outside;
    touch(outside, "elsewhere/secret.mov");
    touch(outside, "elsewhere/more/secret2.mov");
    TempDir volume;
    touch(volume, "card.mov");
    fs::create_directory_symlink(outside / "elsewhere", volume / "linked");
    fs::create_symlink(outside / "elsewhere/secret.mov", volume / "linked.mov");
    fs::create_directory(volume / "Sub");
    fs::create_directory_symlink("..", volume / "Sub/loop");
    ContentProbe p = probe(volume.path());
    EXPECT_EQ(p.rootNames, (std::vector<std::string>{"Sub", "card.mov"}));
    EXPECT_EQ(p.shallowVideoCount, 1);
    EXPECT_EQ(p.directoryPaths, std::set<std::string>{"SUB"});
    // The links still use up the budget: 5 entries in all.
    EXPECT_FALSE(probe(volume.path(), 5).truncated);
    EXPECT_TRUE(probe(volume.path(), 4).truncated);
}

TEST(ContentProber, UnreadablePlacesAreReportedOrPassedOver) {
    TempDir volume;
    ContentProbe p = probe(volume / "gone");
    EXPECT_TRUE(p.accessDenied);
    EXPECT_FALSE(p.truncated);
    EXPECT_EQ(p, [] { ContentProbe e; e.accessDenied = true; return e; }());

    touch(volume, "plain-file");
    EXPECT_TRUE(probe(volume / "plain-file").accessDenied);
    // A pipe where a folder should be must not hang the walk.
    ASSERT_EQ(::mkfifo((volume / "pipe").c_str(), 0600), 0);
    EXPECT_TRUE(probe(volume / "pipe").accessDenied);
    EXPECT_EQ(probe(volume.path()).rootNames, (std::vector<std::string>{"pipe", "plain-file"}));

    touch(volume, "Locked/clip.mov");
    touch(volume, "Open/clip.mov");
    fs::permissions(volume / "Locked", fs::perms::none);
    p = probe(volume.path());
    EXPECT_FALSE(p.accessDenied);
    EXPECT_TRUE(p.hasDirectory("LOCKED"));
    // Root ignores permissions; an ordinary user cannot list the locked folder.
    EXPECT_EQ(p.shallowVideoCount, ::geteuid() == 0 ? 2 : 1);
    if (::geteuid() != 0) {
        fs::permissions(volume.path(), fs::perms::none);
        EXPECT_TRUE(probe(volume.path()).accessDenied);
        fs::permissions(volume.path(), fs::perms::owner_all);
    }
}

TEST(ContentProber, NeverWalksIntoAnotherMountInsideTheVolume) {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a tmpfs needs root";
    TempDir volume;
    touch(volume, "Ours/a.mov");
    fs::create_directories(volume / "Ours/mnt");
    const fs::path mountPoint = volume / "Ours/mnt";
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=1m") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here";
    writeFile(mountPoint / "theirs.mov", "");
    const ContentProbe p = probe(volume.path());
    ::umount(mountPoint.c_str());
    EXPECT_TRUE(p.hasDirectory("OURS/MNT"));
    EXPECT_EQ(p.shallowVideoCount, 1);
}

TEST(ContentProber, FreshlyFormattedExt4DriveIsEmpty) {
    if (auto reason = LoopVolume::unavailable(LoopVolume::Kind::ext4)) GTEST_SKIP() << *reason;
    TempDir dir;
    LoopVolume ssd(dir / "ssd.img", dir / "SSD", {});
    fs::create_directories(ssd.mountPoint() / ".Trash-1000/files");
    const ContentProbe p = probe(ssd.mountPoint());
    EXPECT_TRUE(p.isEmpty());  // lost+found and the desktop's trash are no content
    EXPECT_FALSE(p.accessDenied);
    EXPECT_TRUE(p.directoryPaths.empty());
    writeFile(ssd.mountPoint() / "Project/clip.mov", "");
    const ContentProbe used = probe(ssd.mountPoint());
    EXPECT_EQ(used.rootNames, std::vector<std::string>{"Project"});
    EXPECT_EQ(used.shallowVideoCount, 1);
}
