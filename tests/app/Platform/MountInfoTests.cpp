#include <gtest/gtest.h>

#include <algorithm>

#include "Platform/MountInfo.h"
#include "Platform/MountSelection.h"
#include "support/TempDir.h"

namespace quillane {
namespace {

namespace fs = std::filesystem;

std::string sample(const std::string& name) {
    return testing::readFile(fs::path(QUILLANE_PLATFORM_SAMPLES) / name);
}

const MountEntry* at(const std::vector<MountEntry>& entries, int mountId) {
    auto it = std::find_if(entries.begin(), entries.end(), [&](const MountEntry& e) { return e.mountId == mountId; });
    return it == entries.end() ? nullptr : &*it;
}

// A desktop's table: block devices have a major number; btrfs on /dev/md0 shows an anonymous one.
std::optional<BlockDeviceNumber> fakeResolver(const MountEntry& entry) {
    if (entry.major != 0) return BlockDeviceNumber{entry.major, entry.minor};
    if (entry.source == "/dev/md0") return BlockDeviceNumber{9, 0};
    return std::nullopt;
}

TEST(MountInfo, ParsesARecordedDesktopTableWithItsEscapes) {
    const std::vector<MountEntry> entries = MountInfo::parse(sample("mountinfo-desktop.txt"));
    ASSERT_EQ(entries.size(), 27u);

    const MountEntry* passport = at(entries, 71);
    ASSERT_NE(passport, nullptr);
    EXPECT_EQ(passport->mountPoint, "/media/anna/My Passport");
    EXPECT_EQ(passport->fsType, "fuseblk");
    EXPECT_EQ(passport->source, "/dev/sdc1");
    EXPECT_EQ(passport->major, 8u);
    EXPECT_EQ(passport->minor, 33u);
    EXPECT_FALSE(passport->isReadOnly());

    const MountEntry* odd = at(entries, 72);
    ASSERT_NE(odd, nullptr);
    EXPECT_EQ(odd->mountPoint, "/run/media/anna/A001\tTAB\\back");
    EXPECT_TRUE(odd->isReadOnly()) << "ro in the mount's own options";
    EXPECT_EQ(at(entries, 84)->mountPoint, "/mnt/odd\\name x");

    const MountEntry* bind = at(entries, 74);
    EXPECT_EQ(bind->root, "/DCIM");
    // "errors=remount-ro" is not "ro".
    EXPECT_FALSE(at(entries, 28)->isReadOnly());
    EXPECT_TRUE(at(entries, 52)->isReadOnly());
    // An empty source is a field of its own, not a shifted line.
    const MountEntry* noSource = at(entries, 85);
    ASSERT_NE(noSource, nullptr);
    EXPECT_EQ(noSource->source, "");
    EXPECT_EQ(noSource->fsType, "fuse");
    EXPECT_EQ(noSource->superOptions, "rw,user_id=0");
}

TEST(MountInfo, SkipsDamagedLinesAndKeepsTheGoodOnes) {
    const std::vector<MountEntry> entries = MountInfo::parse(sample("mountinfo-damaged.txt"));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].mountPoint, "/mnt/good");
    EXPECT_EQ(entries[0].mountOptions, "rw,relatime");

    EXPECT_FALSE(MountInfo::parseLine("").has_value());
    EXPECT_FALSE(MountInfo::parseLine("1 2 3:4 / /a rw - ext4").has_value());
    EXPECT_FALSE(MountInfo::parseLine("99999999999999999999 1 8:1 / /a rw - ext4 /dev/sda1 rw").has_value());
    EXPECT_TRUE(MountInfo::parseLine("1 2 8:1 / /a rw - ext4 /dev/sda1 rw\r").has_value());
}

TEST(MountInfo, ReadsTheLiveTableWhoseSizeProcfsReportsAsZero) {
    const std::optional<std::string> table = MountInfo::readTable("/proc/self/mountinfo");
    ASSERT_TRUE(table.has_value());
    const std::vector<MountEntry> entries = MountInfo::parse(*table);
    EXPECT_TRUE(std::any_of(entries.begin(), entries.end(), [](const MountEntry& e) { return e.mountPoint == "/"; }));

    testing::TempDir dir;
    testing::writeFile(dir / "big", std::string(4096, 'x'));
    EXPECT_FALSE(MountInfo::readTable(dir / "big", 1024).has_value()) << "a runaway table is refused, not cut";
    EXPECT_FALSE(MountInfo::readTable(dir / "missing").has_value());
}

TEST(MountInfo, UnescapesOnlyTheKernelsOctalEscapes) {
    EXPECT_EQ(MountInfo::unescape("/media/a\\040b"), "/media/a b");
    EXPECT_EQ(MountInfo::unescape("a\\012b\\134c"), "a\nb\\c");
    EXPECT_EQ(MountInfo::unescape("\\303\\251t\\303\\251"), "\xC3\xA9t\xC3\xA9");  // UTF-8 bytes stay bytes
    // Not an escape: kept as it stands, and nothing is read past the end.
    EXPECT_EQ(MountInfo::unescape("a\\x41"), "a\\x41");
    EXPECT_EQ(MountInfo::unescape("a\\400"), "a\\400");
    EXPECT_EQ(MountInfo::unescape("end\\04"), "end\\04");
    EXPECT_EQ(MountInfo::unescape("\\"), "\\");
}

TEST(MountSelection, ListsEachVolumeOfADesktopOnce) {
    const std::vector<MountEntry> entries = MountInfo::parse(sample("mountinfo-desktop.txt"));
    std::vector<std::string> points;
    for (const SelectedMount& mount : MountSelection::volumes(entries, {}, fakeResolver))
        points.push_back(mount.entry.mountPoint.string());
    // Left out: system folders and the root device wherever it is bound, pseudo, network and
    // device-less FUSE mounts, the second mount and the bind of a listed card, a hidden folder,
    // and the SSD mounted over by another volume at the same folder.
    const std::vector<std::string> expected = {
        "/media/anna/EOS_DIGITAL", "/media/anna/My Passport", "/run/media/anna/A001\tTAB\\back", "/data/raid",
        "/media/anna/SHOOT_SSD",   "/media/anna/9016-4EF8",   "/mnt/odd\\name x"};
    EXPECT_EQ(points, expected);
}

TEST(MountSelection, PrefersTheWholeFileSystemOverAnEarlierBind) {
    const std::vector<MountEntry> entries = MountInfo::parse(
        "28 1 254:0 / / rw - ext4 /dev/vda rw\n"
        "40 28 8:17 /DCIM /media/x/dcim rw - vfat /dev/sdb1 rw\n"
        "41 28 8:17 / /media/x/CARD rw - vfat /dev/sdb1 rw\n");
    const auto chosen = MountSelection::volumes(entries, {}, fakeResolver);
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(chosen[0].entry.mountPoint, "/media/x/CARD");
    EXPECT_EQ(chosen[0].device, (BlockDeviceNumber{8, 17}));
}

TEST(MountSelection, GivenPlacesReplaceTheUsualOnes) {
    const MountSelection::Places usual;
    EXPECT_TRUE(MountSelection::isLookedAt("/media/anna/CARD", usual));
    EXPECT_TRUE(MountSelection::isLookedAt("/run/media/anna/CARD", usual));
    EXPECT_TRUE(MountSelection::isLookedAt("/mnt", usual));
    EXPECT_TRUE(MountSelection::isLookedAt("/footage/ssd", usual));
    EXPECT_FALSE(MountSelection::isLookedAt("/", usual));
    EXPECT_FALSE(MountSelection::isLookedAt("/run/user/1000/doc", usual));
    EXPECT_FALSE(MountSelection::isLookedAt("/tmp/x", usual));
    EXPECT_FALSE(MountSelection::isLookedAt("/var/lib/docker/overlay2/x/merged", usual));
    EXPECT_FALSE(MountSelection::isLookedAt("/media/anna/.Trash", usual));
    EXPECT_FALSE(MountSelection::isLookedAt("/mediafiles", MountSelection::Places{{"/media"}}))
        << "compared by whole folder names";

    const MountSelection::Places test{{"/tmp/quillane-test-1/"}};
    EXPECT_TRUE(MountSelection::isLookedAt("/tmp/quillane-test-1/volumes/CARD", test));
    EXPECT_FALSE(MountSelection::isLookedAt("/media/anna/CARD", test));
    EXPECT_FALSE(MountSelection::isLookedAt("/tmp/quillane-test-10/CARD", test));

    // A place given through a symbolic link matches the mount table's real paths.
    testing::TempDir dir;
    fs::create_directories(dir / "real" / "volumes");
    fs::create_directory_symlink(dir / "real", dir / "link");
    const MountSelection::Places linked{{dir / "link" / "volumes"}};
    EXPECT_TRUE(MountSelection::isLookedAt(fs::canonical(dir / "real" / "volumes") / "CARD", linked));
}

}  // namespace
}  // namespace quillane
