#include <gtest/gtest.h>

#include <unordered_set>

#include "Detection/DriveInfo.h"
#include "support/Scopes.h"

using namespace quillane;
using quillane::testing::LanguageScope;

namespace {
DriveInfo card() {
    DriveInfo d;
    d.id = "/media/crew/Untitled";
    d.url = "/media/crew/Untitled";
    d.name = "Untitled";
    d.totalCapacity = 32'000'000'000;
    d.availableCapacity = 1'000'000'000;
    d.fileSystem = "exfat";
    return d;
}
}  // namespace

TEST(DriveInfo, IdentityIsTheUuidOrTheNameAndSize) {
    DriveInfo d = card();
    EXPECT_EQ(d.identity(), "name:untitled|32000000000");
    d.name = "NO NAME";
    d.totalCapacity = 0;
    EXPECT_EQ(d.identity(), "name:no name|0");
    d.name = "ÉQUIPE";
    EXPECT_EQ(d.identity(), "name:équipe|0");
    d.uuid = "3A1F-0C22";
    EXPECT_EQ(d.identity(), "3A1F-0C22");
    d.uuid = "";  // present but empty still wins
    EXPECT_EQ(d.identity(), "");
}

TEST(DriveInfo, HardwareDescriptionJoinsTrimmedPartsAndProtocol) {
    DriveInfo d = card();
    EXPECT_EQ(d.hardwareDescription(), "");
    d.deviceVendor = "LaCie";
    d.deviceModel = "Rugged SSD Pro";
    d.deviceProtocol = "Thunderbolt";
    EXPECT_EQ(d.hardwareDescription(), "LaCie Rugged SSD Pro \u00B7 Thunderbolt");
    d.deviceVendor = "  ";
    d.deviceModel.reset();
    EXPECT_EQ(d.hardwareDescription(), "Thunderbolt");
    d.deviceVendor = " \tWestern  Digital \t";
    d.deviceProtocol.reset();
    EXPECT_EQ(d.hardwareDescription(), "Western  Digital");
    d.deviceVendor.reset();
    d.mediaName = "media only";  // the media name is not part of it
    EXPECT_EQ(d.hardwareDescription(), "");
    // An attached image file is named in the interface language.
    d.deviceProtocol = "Disk Image";
    {
        LanguageScope dutch(AppLanguage::nl);
        EXPECT_EQ(d.hardwareDescription(), "Schijfkopie");
    }
    LanguageScope english(AppLanguage::en);
    EXPECT_EQ(d.hardwareDescription(), "Disk Image");
}

TEST(DriveInfo, FileSystemLabels) {
    // Known kinds by name, others by the volume's description, else the kind upper-cased.
    const struct {
        const char* fileSystem;
        const char* description;
        const char* label;
    } cases[] = {{"exfat", "Something else", "exFAT"}, {"msdos", "", "FAT32"},      {"hfs", "", "Mac OS Extended"},
                 {"udf", "Something else", "Something else"}, {"udf", "", "UDF"}, {"EXFAT", "", "EXFAT"},
                 {"", "", ""}};
    for (const auto& c : cases) {
        DriveInfo d = card();
        d.fileSystem = c.fileSystem;
        d.fileSystemDescription = c.description;
        EXPECT_EQ(d.fileSystemLabel(), c.label) << c.fileSystem << " / " << c.description;
    }
}

TEST(DriveInfo, DiskImageAndUsedCapacity) {
    DriveInfo d = card();
    EXPECT_FALSE(d.isDiskImage());
    d.deviceProtocol = "Thunderbolt";
    EXPECT_FALSE(d.isDiskImage());
    d.deviceModel = "Apple DISK IMAGE media";
    EXPECT_TRUE(d.isDiskImage());
    d.deviceModel.reset();
    d.deviceProtocol = "Disk Image";
    EXPECT_TRUE(d.isDiskImage());

    EXPECT_EQ(d.usedCapacity(), 31'000'000'000);
    d.availableCapacity = d.totalCapacity + 1;
    EXPECT_EQ(d.usedCapacity(), 0);
    d.totalCapacity = INT64_MAX;
    d.availableCapacity = -5;
    EXPECT_EQ(d.usedCapacity(), INT64_MAX);
}

TEST(DriveInfo, EqualityAndHashingCoverEveryField) {
    DriveInfo a = card();
    a.uuid = "U";
    a.deviceModel = "M";
    DriveInfo b = a;
    EXPECT_EQ(a, b);
    EXPECT_EQ(DriveInfoHash{}(a), DriveInfoHash{}(b));
    b.isEjectable = true;
    EXPECT_NE(a, b);
    std::unordered_set<DriveInfo, DriveInfoHash> set{a, b, a};
    EXPECT_EQ(set.size(), 2u);

}
