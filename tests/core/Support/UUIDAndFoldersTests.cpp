#include <gtest/gtest.h>

#include <set>

#include "Support/Folders.h"
#include "Support/UUID.h"
#include "support/FaultyFileIO.h"
#include "support/TempDir.h"

using namespace quillane;
using namespace quillane::testing;

TEST(UUID, TextFormAndParsing) {
    const auto id = UUID::parse("e621e1f8-c36c-495a-93fc-0c247a3e6e5f");
    ASSERT_TRUE(id);
    EXPECT_EQ(id->text(), "E621E1F8-C36C-495A-93FC-0C247A3E6E5F");
    EXPECT_EQ(UUID::parse(id->text()), id);
    for (const char* bad : {"", "E621E1F8C36C495A93FC0C247A3E6E5F", "E621E1F8-C36C-495A-93FC-0C247A3E6E5G",
                            "E621E1F8-C36C-495A-93FC0-C247A3E6E5F", "{E621E1F8-C36C-495A-93FC-0C247A3E6E5}"})
        EXPECT_FALSE(UUID::parse(bad)) << bad;

    std::set<UUID> seen;
    for (int i = 0; i < 1000; ++i) {
        const UUID fresh = UUID::random();
        EXPECT_EQ(fresh.text()[14], '4');  // version 4
        EXPECT_TRUE(seen.insert(fresh).second);
    }
}

TEST(Folders, CreatesEveryMissingLevel) {
    TempDir dir;
    EXPECT_TRUE(Folders::createAll(dir / "a/b/c/"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "a/b/c"));
    EXPECT_TRUE(Folders::createAll(dir / "a/b/c"));  // existing is fine

    // A file where a folder should be: inside the path, at its end, or arriving at its end just
    // before the folder is made.
    const struct {
        const char* folder;
        const char* file;
        bool arrives;
    } files[] = {{"mid/file/d", "mid/file", false}, {"leaf/file", "leaf/file", false}, {"late/file", "late/file", true}};
    for (const auto& c : files) {
        FaultyFileIO io;
        const auto put = [&] { writeFile(dir / c.file, "x"); };
        if (c.arrives)
            io.fail({.call = FaultyFileIO::Call::mkdir, .pathContains = c.file, .error = 0, .before = put});
        else
            put();
        std::filesystem::path failed;
        EXPECT_FALSE(Folders::createAll(dir / c.folder, 0755, &failed)) << c.folder;
        EXPECT_EQ(errno, ENOTDIR) << c.folder;
        EXPECT_EQ(failed, dir / c.file);
    }

    FaultyFileIO io;
    io.fail({.call = FaultyFileIO::Call::mkdir, .pathContains = "full", .error = ENOSPC});
    EXPECT_FALSE(Folders::createAll(dir / "a/full/e"));
    EXPECT_EQ(errno, ENOSPC);
    EXPECT_FALSE(std::filesystem::exists(dir / "a/full"));
}

TEST(Folders, AStoredBaseFolderStaysOnItsVolume) {
    TempDir dir;
    const auto volume = dir / "SSD";
    std::filesystem::create_directories(volume / "Projects");
    std::filesystem::create_directory_symlink("Projects", volume / "inside");
    std::filesystem::create_directory_symlink(dir.path(), volume / "outside");
    const struct {
        const char* stored;
        std::optional<std::filesystem::path> joined;
    } cases[] = {
        {"", volume},
        {"Projects/Feature", volume / "Projects/Feature"},  // need not exist yet
        {"./Projects//Feature/", volume / "Projects/Feature"},
        {"inside/Feature", volume / "inside/Feature"},  // a link that stays on the volume
        {"/Projects", std::nullopt},
        {"Projects/../../etc", std::nullopt},
        {"..", std::nullopt},
        {"outside/Feature", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(Folders::joinInside(volume, c.stored), c.joined) << c.stored;
}
