#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "HistorySamples.h"
#include "Settings/CatalogEntryCoding.h"
#include "Settings/ClipCatalog.h"
#include "Transfer/SourceScan.h"
#include "support/FaultyFileIO.h"
#include "support/TempDir.h"

using namespace quillane;
using namespace quillane::testing;
namespace fs = std::filesystem;

namespace {

std::vector<ScannedFile> scanned(std::vector<std::string> paths) {
    std::vector<ScannedFile> files;
    for (auto& path : paths) files.push_back(ScannedFile{std::move(path), 1000 + static_cast<std::int64_t>(files.size())});
    return files;
}

std::vector<std::string> paths(const std::vector<ClipHit>& hits) {
    std::vector<std::string> out;
    for (const auto& hit : hits) out.push_back(hit.record.roll + ":" + hit.file.path);
    return out;
}

TransferRecord named(std::string roll) {
    TransferRecord r = sampleRecord(1);
    r.roll = std::move(roll);
    return r;
}

}  // namespace

TEST(ClipCatalog, FindsClipsByAnyPartOfThePath) {
    TempDir dir;
    ClipCatalog catalog(dir.path());
    EXPECT_EQ(catalog.directory(), dir / "catalog");
    const TransferRecord older = named("A001"), newer = named("A002");
    catalog.add(older.id, scanned({"CLIP/A001.MOV", "CLIP/A001.XML", "CLIP/ÉCLAIR.MOV"}), {"aa", std::nullopt, "cc"});
    catalog.add(newer.id, scanned({"A002/clip.mov", "A002/sub/B.wav"}), {"dd"});
    const std::vector<TransferRecord> newestFirst = {newer, older};

    EXPECT_EQ(paths(catalog.search("a0", newestFirst, 200)),
              (std::vector<std::string>{"A002:A002/clip.mov", "A002:A002/sub/B.wav", "A001:CLIP/A001.MOV",
                                        "A001:CLIP/A001.XML"}));
    EXPECT_EQ(paths(catalog.search(" \tclip/ ", newestFirst, 200)).size(), 3u);  // a folder finds what is below it
    EXPECT_EQ(paths(catalog.search("éclair", newestFirst, 200)), std::vector<std::string>{"A001:CLIP/ÉCLAIR.MOV"});
    EXPECT_TRUE(catalog.search("mov\n", newestFirst, 200).empty());  // line breaks are not trimmed
    EXPECT_TRUE(catalog.search("A001", {newer}, 200).empty());      // only the records given
    EXPECT_EQ(catalog.search("a0", newestFirst, 3).size(), 3u);

    const auto hit = catalog.search("a001.mov", newestFirst, 200).at(0);
    EXPECT_EQ(hit.file, (CatalogFile{"CLIP/A001.MOV", 1000, "aa"}));
    EXPECT_EQ(hit.fileName(), "A001.MOV");
    EXPECT_EQ(hit.id(), older.id.text() + "CLIP/A001.MOV");
    EXPECT_EQ(hit.record, older);
    EXPECT_EQ(catalog.search("xml", newestFirst, 200).at(0).file.hash, std::nullopt);
    EXPECT_EQ(catalog.search("b.wav", newestFirst, 200).at(0).file.hash, std::nullopt);  // surplus file, no hash

    // Compact files named by the record; a file without checksum carries only path and size.
    const std::string stored = readFile(dir / "catalog" / (newer.id.text() + ".json"));
    EXPECT_EQ(stored, "{\"files\":[{\"hash\":\"dd\",\"path\":\"A002/clip.mov\",\"size\":1000},"
                      "{\"path\":\"A002/sub/B.wav\",\"size\":1001}],\"recordID\":\"" +
                          newer.id.text() + "\"}");

    // A second catalog over the same folder reads the files back.
    ClipCatalog reopened(dir.path());
    EXPECT_EQ(paths(reopened.search("A0", newestFirst, 200)), paths(catalog.search("A0", newestFirst, 200)));
}

TEST(ClipCatalog, LoadsOnceOnTheFirstRealSearch) {
    TempDir dir;
    ClipCatalog catalog(dir.path());
    const TransferRecord record = named("A001");
    const std::vector<TransferRecord> records = {record};

    // Too short to search: nothing is read, so a file written now is still found later.
    EXPECT_TRUE(catalog.search("", records, 200).empty());
    EXPECT_TRUE(catalog.search("  a  ", records, 200).empty());
    EXPECT_TRUE(catalog.search("é", records, 200).empty());
    EXPECT_TRUE(catalog.search("\r\n", records, 200).empty());  // one character: CR LF
    writeFile(dir / "catalog" / "whatever.json",
              "{\"recordID\":\"" + record.id.text() + "\",\"files\":[{\"path\":\"A/B.MOV\",\"size\":1,\"hash\":null}]}");
    EXPECT_EQ(catalog.search("b.mov", records, 200).size(), 1u);  // indexed under the inner id

    // Loaded now: files put there by someone else are not seen, entries added here are.
    const TransferRecord later = named("A002");
    writeFile(dir / "catalog" / (later.id.text() + ".json"),
              "{\"recordID\":\"" + later.id.text() + "\",\"files\":[{\"path\":\"C.MOV\",\"size\":1}]}");
    EXPECT_TRUE(catalog.search("c.mov", {later}, 200).empty());
    catalog.add(later.id, scanned({"D.MOV"}), {});
    EXPECT_EQ(catalog.search("d.mov", {later}, 200).size(), 1u);
}

TEST(ClipCatalog, SkipsWhatItCannotReadAndLeavesItInPlace) {
    TempDir dir;
    const TransferRecord a = named("A001"), b = named("A002"), c = named("A003"), d = named("A004");
    const auto entry = [](const TransferRecord& r, const std::string& files) {
        return "{\"recordID\":\"" + r.id.text() + "\",\"files\":[" + files + "]}";
    };
    writeFile(dir / "catalog/notes.txt", entry(a, "{\"path\":\"CLIP1\",\"size\":1}"));
    writeFile(dir / "catalog/X.JSON", entry(a, "{\"path\":\"CLIP2\",\"size\":1}"));
    writeFile(dir / "catalog/damaged.json", entry(b, "{\"path\":\"CLIP3\",\"size\":1}").substr(0, 40));
    writeFile(dir / "catalog/nosize.json", entry(c, "{\"path\":\"CLIP4\"}"));
    writeFile(dir / "catalog/good.json", entry(d, "{\"path\":\"CLIP5\",\"size\":1}"));
    writeFile(dir / "catalog/unreadable.json", entry(a, "{\"path\":\"CLIP6\",\"size\":1}"));
    fs::create_directories(dir / "catalog/folder.json");
    ASSERT_EQ(::mkfifo((dir / "catalog/pipe.json").c_str(), 0644), 0);  // never opened: it would block

    ClipCatalog catalog(dir.path());
    {
        FaultyFileIO io;
        io.fail({.call = FaultyFileIO::Call::read, .pathContains = "unreadable.json"});
        EXPECT_EQ(paths(catalog.search("clip", {a, b, c, d}, 200)), std::vector<std::string>{"A004:CLIP5"});
    }
    EXPECT_TRUE(fs::exists(dir / "catalog/damaged.json"));
    EXPECT_TRUE(fs::exists(dir / "catalog/unreadable.json"));

    // No catalog folder at all: no hits, and a transfer added afterwards is found at once.
    TempDir empty;
    ClipCatalog fresh(empty / "store");
    EXPECT_TRUE(fresh.search("clip", {a}, 200).empty());
    fresh.add(a.id, scanned({"CLIP7"}), {"h1", "surplus"});
    EXPECT_EQ(paths(fresh.search("clip", {a}, 200)), std::vector<std::string>{"A001:CLIP7"});

    // A write that fails is swallowed; the clip is still found in this run.
    TempDir blocked;
    writeFile(blocked / "catalog", "a file where the folder belongs");
    ClipCatalog unwritable(blocked.path());
    EXPECT_TRUE(unwritable.search("clip", {a}, 200).empty());
    unwritable.add(a.id, scanned({"CLIP8"}), {});
    EXPECT_EQ(unwritable.search("clip", {a}, 200).size(), 1u);
}

TEST(ClipCatalog, StopsAtTheLimitInRecordAndFileOrder) {
    TempDir dir;
    ClipCatalog catalog(dir.path());
    std::vector<TransferRecord> records;
    for (int r = 0; r < 3; ++r) {
        records.push_back(named("R" + std::to_string(r)));
        std::vector<std::string> files;
        for (int f = 0; f < 100; ++f) files.push_back("CLIP" + std::to_string(r) + "_" + std::to_string(f) + ".MOV");
        catalog.add(records.back().id, scanned(files), {});
    }
    const auto hits = catalog.search("clip", records, 200);
    ASSERT_EQ(hits.size(), 200u);
    EXPECT_EQ(hits.front().file.path, "CLIP0_0.MOV");
    EXPECT_EQ(hits[100].file.path, "CLIP1_0.MOV");
    EXPECT_EQ(hits.back().file.path, "CLIP1_99.MOV");
    EXPECT_NE(hits[0].id(), hits[1].id());
}

TEST(ClipCatalog, CatalogFileForm) {
    const std::string id = "E621E1F8-C36C-495A-93FC-0C247A3E6E5F";
    const auto decode = [](const std::string& text) { return CatalogEntryCoding::decode(text); };

    const auto lenient = decode(R"({"extra": {"nested": [1, {"path": 2}], "x": null}, "recordID": "e621e1f8-c36c-495a-93fc-0c247a3e6e5f",
        "files": [{"path": "A.MOV", "size": 3.0, "hash": null, "note": [true]},
                  {"size": 9007199254740993, "hash": "ff", "path": "B/C.WAV", "more": "x"}], "tail": 1})");
    ASSERT_TRUE(lenient);
    EXPECT_EQ(lenient->recordID.text(), id);
    EXPECT_EQ(lenient->files, (std::vector<CatalogFile>{{"A.MOV", 3, std::nullopt}, {"B/C.WAV", 9007199254740993, "ff"}}));

    const auto reencoded = decode(CatalogEntryCoding::encode(*lenient));
    EXPECT_EQ(reencoded, lenient);
    EXPECT_EQ(decode(R"({"files": [], "recordID": ")" + id + R"("})")->files.size(), 0u);

    for (const std::string& bad : std::vector<std::string>{
             R"([])", R"("x")", "",
             R"({"files": []})",
             R"({"recordID": ")" + id + R"("})",
             R"({"recordID": "E621E1F8", "files": []})",
             R"({"recordID": ")" + id + R"(", "files": null})",
             R"({"recordID": ")" + id + R"(", "files": [{"path": "A"}]})",
             R"({"recordID": ")" + id + R"(", "files": [{"size": 1}]})",
             R"({"recordID": ")" + id + R"(", "files": [{"path": null, "size": 1}]})",
             R"({"recordID": ")" + id + R"(", "files": [{"path": "A", "size": "1"}]})",
             R"({"recordID": ")" + id + R"(", "files": [{"path": "A", "size": 1.5}]})",
             R"({"recordID": ")" + id + R"(", "files": [{"path": "A", "size": 1, "hash": 5}]})",
             R"({"recordID": ")" + id + R"(", "files": ["A"]})",
             R"({"recordID": ")" + id + R"(", "files": []} trailing)",
             R"({"recordID": ")" + id + R"(", "files": [{"path": "A", "size": 1})",
         })
        EXPECT_FALSE(decode(bad)) << bad;
}
