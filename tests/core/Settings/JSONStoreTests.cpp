#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <regex>

#include "HistorySamples.h"
#include "Settings/JSONStore.h"
#include "Settings/TransferRecord.h"
#include "support/FaultyFileIO.h"
#include "support/TempDir.h"

using namespace quillane;
using namespace quillane::testing;
namespace fs = std::filesystem;

namespace {

using History = std::vector<TransferRecord>;
using HistoryStore = JSONStore<History>;

// Names in a folder, except the given one.
std::vector<fs::path> othersIn(const fs::path& folder, const std::string& except) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename() != except) found.push_back(entry.path());
    std::sort(found.begin(), found.end());
    return found;
}

const std::regex asideName(R"(history\.unreadable-\d{4}-\d\d-\d\dT\d\d-\d\d-\d\dZ(-\d+)?\.json)");

}  // namespace

TEST(JSONStore, FirstSaveCreatesFoldersAndLaterSavesAreIdentical) {
    TempDir dir;
    const HistoryStore store("history.json", dir / "a/b/store");
    EXPECT_EQ(store.url(), dir / "a/b/store/history.json");
    EXPECT_FALSE(store.load());
    EXPECT_FALSE(fs::exists(dir / "a"));  // loading touches nothing

    const History history = sampleHistory(3);
    store.save(history);
    EXPECT_EQ(store.load(), history);
    const std::string first = readFile(store.url());
    store.save(*store.load());
    EXPECT_EQ(readFile(store.url()), first);

    // Pretty-printed with sorted keys; dates in whole seconds; absent optionals left out.
    EXPECT_NE(first.find("\n  {\n    \"algorithm\": \"xxhash64\",\n    \"destinations\": ["), std::string::npos)
        << first.substr(0, 200);
    EXPECT_NE(first.find("\"startedAt\": \"2026-03-05T14:07:09Z\""), std::string::npos);
    EXPECT_EQ(first.find("null"), std::string::npos);
    EXPECT_EQ(othersIn(dir / "a/b/store", "history.json"), std::vector<fs::path>{});  // no temporary left

    // For this user only: the history and the push topic are nobody else's business.
    for (const fs::path& made : {dir / "a", dir / "a/b/store"})
        EXPECT_EQ(fs::status(made).permissions(), fs::perms::owner_all) << made;
    EXPECT_EQ(fs::status(store.url()).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST(JSONStore, UndecodableFileIsCopiedAsideAndReplacedOnlyByTheNextSave) {
    TempDir dir;
    const HistoryStore store("history.json", dir.path());
    for (const std::string bad : {"{}", "", "[{\"id\": 3}]", "not json", "[{\"truncated\": tr"}) {
        SCOPED_TRACE(bad);
        writeFile(store.url(), bad);
        EXPECT_FALSE(store.load());
        EXPECT_EQ(readFile(store.url()), bad);  // left in place
    }
    // Five copies, the later ones within the same second numbered; each holds its original.
    const auto copies = othersIn(dir.path(), "history.json");
    ASSERT_EQ(copies.size(), 5u);
    std::vector<std::string> contents;
    for (const auto& copy : copies) {
        EXPECT_TRUE(std::regex_match(copy.filename().string(), asideName)) << copy;
        contents.push_back(readFile(copy));
    }
    std::sort(contents.begin(), contents.end());
    EXPECT_EQ(contents, (std::vector<std::string>{"", "[{\"id\": 3}]", "[{\"truncated\": tr", "not json", "{}"}));

    const History one = sampleHistory(1);
    store.save(one);
    EXPECT_EQ(store.load(), one);
}

TEST(JSONStore, UnreadableFileIsRenamedAsideNeverOverwritten) {
    TempDir dir;
    const HistoryStore store("history.json", dir.path());

    // A folder where the file should be.
    fs::create_directories(store.url());
    writeFile(store.url() / "inside", "kept");
    EXPECT_FALSE(store.load());
    auto aside = othersIn(dir.path(), "history.json");
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_TRUE(std::regex_match(aside[0].filename().string(), asideName));
    EXPECT_EQ(readFile(aside[0] / "inside"), "kept");
    store.save(sampleHistory(2));
    EXPECT_EQ(store.load()->size(), 2u);

    // An I/O error while reading a good file: it is set aside whole, not treated as empty.
    const std::string good = readFile(store.url());
    {
        FaultyFileIO io;
        io.fail({.call = FaultyFileIO::Call::read, .pathContains = "history.json"});
        EXPECT_FALSE(store.load());
    }
    EXPECT_FALSE(fs::exists(store.url()));
    aside = othersIn(dir.path(), "history.json");
    ASSERT_EQ(aside.size(), 2u);
    const bool keptGood = readFile(aside[0]) == good || readFile(aside[1]) == good;
    EXPECT_TRUE(keptGood);

    // A pipe in the file's place is never opened (that would block): it is set aside too.
    ASSERT_EQ(::mkfifo(store.url().c_str(), 0644), 0);
    EXPECT_FALSE(store.load());
    EXPECT_FALSE(fs::exists(store.url()));
    EXPECT_EQ(othersIn(dir.path(), "history.json").size(), 3u);
    store.save(sampleHistory(1));
    EXPECT_EQ(store.load()->size(), 1u);
}

TEST(JSONStore, FileThatCannotBeSetAsideIsNeverOverwrittenThisRun) {
    TempDir dir;
    const HistoryStore store("history.json", dir.path());
    writeFile(store.url(), "[{\"half a history");
    {
        // No copy can be made (disk full), and the rename fails too.
        FaultyFileIO io;
        io.fail({.call = FaultyFileIO::Call::open, .pathContains = "unreadable", .error = ENOSPC});
        io.fail({.call = FaultyFileIO::Call::renameNoReplace, .pathContains = "unreadable"});
        EXPECT_FALSE(store.load());
        EXPECT_EQ(io.failures(FaultyFileIO::Call::renameNoReplace), 1);
    }
    EXPECT_TRUE(JSONStoreFile::isProtected(store.url()));
    store.save(sampleHistory(1));
    EXPECT_EQ(readFile(store.url()), "[{\"half a history");
    // A store of another file is not affected.
    const HistoryStore other("history.json", dir / "other");
    other.save(sampleHistory(1));
    EXPECT_TRUE(other.load());

    // Copy impossible but rename possible: the original moves aside and the next save is safe.
    const HistoryStore settings("settings-like.json", dir.path());
    writeFile(settings.url(), "{broken");
    {
        FaultyFileIO io;
        io.fail({.call = FaultyFileIO::Call::open, .pathContains = "unreadable", .error = ENOSPC});
        EXPECT_FALSE(settings.load());
    }
    EXPECT_FALSE(fs::exists(settings.url()));
    bool found = false;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        if (entry.path().filename().string().starts_with("settings-like.unreadable-"))
            found = readFile(entry.path()) == "{broken";
    EXPECT_TRUE(found);
}

TEST(JSONStore, FailedSavesLeaveThePreviousFile) {
    TempDir dir;
    const HistoryStore store("history.json", dir.path());
    store.save(sampleHistory(2));
    const std::string before = readFile(store.url());
    for (auto call : {FaultyFileIO::Call::open, FaultyFileIO::Call::write, FaultyFileIO::Call::fsync,
                      FaultyFileIO::Call::rename}) {
        FaultyFileIO io;
        const bool onTarget = call == FaultyFileIO::Call::rename;  // a rename is matched by its target
        io.fail({.call = call,
                 .pathContains = onTarget ? "history.json" : ".history.json.tmp",
                 .error = call == FaultyFileIO::Call::open ? EACCES : ENOSPC});
        store.save(sampleHistory(4));
        EXPECT_EQ(readFile(store.url()), before);
    }
    EXPECT_EQ(othersIn(dir.path(), "history.json"), std::vector<fs::path>{});

    // A file where the folder should be: nothing raised, nothing written.
    writeFile(dir / "blocked", "x");
    const HistoryStore blocked("history.json", dir / "blocked/store");
    blocked.save(sampleHistory(1));
    EXPECT_EQ(readFile(dir / "blocked"), "x");
}

// A process killed while saving leaves the previous history or the new one, never a mix.
TEST(JSONStore, KilledMidSaveLeavesAWholeFile) {
    TempDir dir;
    const HistoryStore store("history.json", dir.path());
    const History small = sampleHistory(3);
    const History large = sampleHistory(500);
    store.save(small);

    // Deterministic: the process dies after the new bytes are written and synced, before the rename.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        FaultyFileIO io;
        io.fail({.call = FaultyFileIO::Call::rename,
                 .pathContains = "history.json",
                 .before = [] { ::kill(::getpid(), SIGKILL); }});
        store.save(large);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(store.load(), small);

    // And at arbitrary moments.
    for (int round = 0; round < 12; ++round) {
        const pid_t saver = fork();
        ASSERT_GE(saver, 0);
        if (saver == 0) {
            for (;;) store.save(round % 2 ? large : small);
        }
        ::usleep(static_cast<useconds_t>(2000 + round * 1500));
        ::kill(saver, SIGKILL);
        ::waitpid(saver, &status, 0);
        const auto loaded = store.load();
        ASSERT_TRUE(loaded) << "round " << round;
        EXPECT_TRUE(*loaded == small || *loaded == large);
    }
    for (const auto& entry : fs::directory_iterator(dir.path()))
        EXPECT_FALSE(entry.path().filename().string().find("unreadable") != std::string::npos) << entry.path();
}
