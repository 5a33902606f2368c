#include <gtest/gtest.h>

#include "Platform/VolumeDescriber.h"

namespace quillane {
namespace {

DriveInfo volume(const std::string& name, const std::optional<std::string>& uuid, const std::string& path) {
    DriveInfo info;
    info.url = path;
    info.name = name;
    info.uuid = uuid;
    info.id = uuid ? *uuid : path;
    return info;
}

std::vector<std::string> names(const std::vector<DriveInfo>& volumes) {
    std::vector<std::string> out;
    for (const DriveInfo& v : volumes) out.push_back(v.name);
    return out;
}

TEST(VolumeList, SortsByNameTheWayAFileBrowserDoes) {
    const auto sorted = VolumeList::arrange(
        {volume("CARD_10", "u1", "/media/a/CARD_10"), volume("card_2", "u2", "/media/a/card_2"),
         volume("B_SSD", "u3", "/media/a/B_SSD")},
        {});
    EXPECT_EQ(names(sorted), (std::vector<std::string>{"B_SSD", "card_2", "CARD_10"}));
}

TEST(VolumeList, DressingRenamesOrHidesBeforeSorting) {
    const std::vector<DriveInfo> real = {volume("A", "u1", "/m/A"), volume("B", "u2", "/m/B"), volume("C", "u3", "/m/C")};
    EXPECT_TRUE(VolumeList::arrange(real, [](const DriveInfo&) { return std::optional<DriveInfo>(); }).empty());

    const auto dressed = VolumeList::arrange(real, [](const DriveInfo& info) -> std::optional<DriveInfo> {
        if (info.name == "B") return std::nullopt;
        DriveInfo shown = info;
        if (info.name == "A") shown.name = "Z_SSD";
        return shown;
    });
    EXPECT_EQ(names(dressed), (std::vector<std::string>{"C", "Z_SSD"}));
}

TEST(VolumeList, ClonedVolumesGetIdsOfTheirOwn) {
    // Two copies of one card image and a third volume without a UUID: the first copy in name
    // order keeps the UUID as its id, the second takes its mount path; uuid itself is untouched.
    const auto listed = VolumeList::arrange({volume("CARD", "7F5F-689B", "/media/a/CARD1"), volume("BACKUP", std::nullopt, "/media/a/BACKUP"),
                                             volume("A_CARD", "7F5F-689B", "/media/a/CARD")},
                                            {});
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0].name, "A_CARD");
    EXPECT_EQ(listed[0].id, "7F5F-689B");
    EXPECT_EQ(listed[2].name, "CARD");
    EXPECT_EQ(listed[2].id, "/media/a/CARD1");
    EXPECT_EQ(listed[2].uuid, "7F5F-689B");
    EXPECT_EQ(listed[0].identity(), listed[2].identity()) << "still the same content across runs";
    EXPECT_EQ(listed[1].id, "/media/a/BACKUP");

    // A dressing that gives two volumes one id and one path still yields distinct ids.
    const auto same = VolumeList::arrange({volume("X", "u", "/m/X"), volume("Y", "u", "/m/X")}, {});
    EXPECT_NE(same[0].id, same[1].id);
}

}  // namespace
}  // namespace quillane
