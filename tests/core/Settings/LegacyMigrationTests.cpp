#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "Settings/AppSettings.h"
#include "Settings/ClipCatalog.h"
#include "Settings/LegacyMigration.h"
#include "Settings/StoreLocation.h"
#include "support/FaultyFileIO.h"
#include "support/TempDir.h"

using namespace quillane;
using namespace quillane::testing;
namespace fs = std::filesystem;
using Outcome = LegacyMigration::Outcome;

namespace {

// Points the data and cache homes at a temporary folder for one test.
class HomeGuard {
public:
    explicit HomeGuard(const fs::path& root) {
        save("XDG_DATA_HOME", (root / "data").string());
        save("XDG_CACHE_HOME", (root / "cache").string());
        save("HOME", (root / "home").string());
    }
    void set(const std::string& name, const char* value) {
        value ? ::setenv(name.c_str(), value, 1) : ::unsetenv(name.c_str());
    }
    ~HomeGuard() {
        for (const auto& [name, value] : saved_)
            value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
    }

private:
    void save(const std::string& name, const std::string& value) {
        const char* old = std::getenv(name.c_str());
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        ::setenv(name.c_str(), value.c_str(), 1);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace

TEST(LegacyMigration, MovesTheOldDataFolderWhole) {
    TempDir root;
    HomeGuard home(root.path());
    writeFile(root / "data/Tarnwick/settings.json", "{\"language\":\"nl\"}");
    writeFile(root / "data/Tarnwick/catalog/X.json", "{}");
    writeFile(root / "data/Tarnwick/.hidden", "h");

    LegacyMigration::migrateTarnwickFolders();
    EXPECT_FALSE(fs::exists(root / "data/Tarnwick"));
    EXPECT_EQ(readFile(root / "data/Quillane/settings.json"), "{\"language\":\"nl\"}");
    EXPECT_TRUE(fs::exists(root / "data/Quillane/catalog/X.json"));
    EXPECT_TRUE(fs::exists(root / "data/Quillane/.hidden"));
    EXPECT_FALSE(fs::exists(root / "cache"));

    // Later starts find nothing to do.
    EXPECT_EQ(LegacyMigration::migrateTarnwickFolders({root / "data", root / "cache"}),
              (std::vector<Outcome>{Outcome::nothingToDo(), Outcome::nothingToDo()}));
}

TEST(LegacyMigration, MergesOneLevelWithoutReplacingAnything) {
    TempDir root;
    writeFile(root / "Tarnwick/settings.json", "old settings");
    writeFile(root / "Tarnwick/history.json", "old history");
    writeFile(root / "Tarnwick/catalog/A.json", "a");
    writeFile(root / "Quillane/settings.json", "new settings");
    writeFile(root / "Quillane/catalog/B.json", "b");
    writeFile(root / "Tarnwick/clips/C.json", "c");

    {
        // A file system without exclusive rename: files go by link, folders by a checked rename.
        FaultyFileIO io;
        io.fail({.call = FaultyFileIO::Call::renameNoReplace, .error = EINVAL});
        EXPECT_EQ(LegacyMigration::moveFolder(root / "Tarnwick", root / "Quillane"), Outcome::merged(2));
    }
    EXPECT_EQ(readFile(root / "Quillane/clips/C.json"), "c");
    EXPECT_FALSE(fs::exists(root / "Tarnwick/history.json"));
    EXPECT_EQ(readFile(root / "Quillane/history.json"), "old history");
    EXPECT_EQ(readFile(root / "Quillane/settings.json"), "new settings");
    EXPECT_EQ(readFile(root / "Tarnwick/settings.json"), "old settings");
    EXPECT_TRUE(fs::exists(root / "Tarnwick/catalog/A.json"));  // never merged deeper
    EXPECT_FALSE(fs::exists(root / "Quillane/catalog/A.json"));

    // Once everything could move, the old folder goes.
    fs::remove(root / "Quillane/settings.json");
    fs::remove_all(root / "Quillane/catalog");
    EXPECT_EQ(LegacyMigration::moveFolder(root / "Tarnwick", root / "Quillane"), Outcome::merged(2));
    EXPECT_FALSE(fs::exists(root / "Tarnwick"));
    EXPECT_EQ(readFile(root / "Quillane/settings.json"), "old settings");
}

TEST(LegacyMigration, FailuresStopAndReportTheSystemError) {
    TempDir root;
    writeFile(root / "Tarnwick/a", "a");
    writeFile(root / "Tarnwick/b", "b");
    {
        FaultyFileIO io;
        io.fail({.call = FaultyFileIO::Call::renameNoReplace, .error = EACCES});
        EXPECT_EQ(LegacyMigration::moveFolder(root / "Tarnwick", root / "deeper/Quillane"),
                  Outcome::failed("Permission denied"));
    }
    EXPECT_TRUE(fs::exists(root / "Tarnwick/a"));

    // A file where the new folder's parent should be.
    writeFile(root / "blocked", "x");
    EXPECT_EQ(LegacyMigration::moveFolder(root / "Tarnwick", root / "blocked/Quillane").kind, Outcome::Kind::failed);

    // Merge: the first move that fails ends the merge; what moved stays moved.
    fs::create_directories(root / "Quillane");
    {
        FaultyFileIO io;
        io.fail({.call = FaultyFileIO::Call::renameNoReplace, .skipCalls = 1});
        EXPECT_EQ(LegacyMigration::moveFolder(root / "Tarnwick", root / "Quillane").kind, Outcome::Kind::failed);
    }
    int moved = 0;
    for (const auto& entry : fs::directory_iterator(root / "Quillane")) moved += entry.is_regular_file();
    EXPECT_EQ(moved, 1);
    EXPECT_TRUE(fs::exists(root / "Tarnwick"));
}

TEST(StoreLocation, DataAndCacheHomes) {
    TempDir root;
    HomeGuard home(root.path());
    EXPECT_EQ(StoreLocation::defaultDirectory(), root / "data/Quillane");
    EXPECT_EQ(JSONStore<AppSettings>("settings.json").url(), root / "data/Quillane/settings.json");
    EXPECT_EQ(ClipCatalog().directory(), root / "data/Quillane/catalog");
    EXPECT_EQ(StoreLocation::cacheHome(), root / "cache");

    // Unset or relative variables fall back to the home folder.
    home.set("XDG_DATA_HOME", nullptr);
    home.set("XDG_CACHE_HOME", "relative/cache");
    EXPECT_EQ(StoreLocation::dataHome(), root / "home/.local/share");
    EXPECT_EQ(StoreLocation::cacheHome(), root / "home/.cache");
}
