#include <gtest/gtest.h>

#include "HistorySamples.h"
#include "Settings/JSONStore.h"
#include "Support/Lang.h"
#include "Settings/TransferRecord.h"
#include "Transfer/TransferResult.h"
#include "support/Scopes.h"
#include "support/TempDir.h"

using namespace quillane;
using namespace quillane::testing;

namespace {

DestinationResult destination(int id, std::string name, std::optional<std::string> error = std::nullopt,
                              std::vector<std::string> failed = {}) {
    DestinationResult d;
    d.id = id;
    d.name = std::move(name);
    d.rollURL = "/media/" + d.name + "/Feature/A001";
    d.error = std::move(error);
    d.failedFiles = std::move(failed);
    return d;
}

TransferResult result(std::vector<DestinationResult> destinations) {
    TransferResult r;
    r.startedAt = at("2026-03-05T14:00:00Z");
    r.finishedAt = at("2026-03-05T14:07:09Z");
    r.fileCount = 12;
    r.totalBytes = 640'000'000'000;
    r.algorithm = ChecksumAlgorithm::md5;
    r.verified = true;
    r.destinations = std::move(destinations);
    return r;
}

}  // namespace

TEST(TransferRecord, BuiltFromAResult) {
    LanguageScope dutch(AppLanguage::nl);
    const auto r = TransferRecord("Feature", "A001", 3, "A001_CARD", "Sony VENICE", "fp1",
                                  result({destination(0, "SSD1"), destination(1, "SSD2", std::nullopt, {"a", "b", "c"}),
                                          destination(2, "SSD3", "Schijf vol", {"a"})}));
    EXPECT_EQ(r.project, "Feature");
    EXPECT_EQ(r.shootDay, 3);
    EXPECT_EQ(r.cameraLabel, "Sony VENICE");
    EXPECT_EQ(r.fileCount, 12);
    EXPECT_EQ(r.totalBytes, 640'000'000'000);
    EXPECT_EQ(r.algorithm, ChecksumAlgorithm::md5);
    EXPECT_TRUE(r.verified);
    EXPECT_FALSE(r.succeeded);
    EXPECT_EQ(r.finishedAt, at("2026-03-05T14:07:09Z"));
    ASSERT_EQ(r.destinations.size(), 3u);
    EXPECT_EQ(r.destinations[0], TransferRecord::Destination("SSD1", "/media/SSD1/Feature/A001", true));
    EXPECT_FALSE(r.destinations[1].succeeded);
    EXPECT_EQ(r.destinations[1].error, "3 bestanden niet geverifieerd");
    EXPECT_EQ(r.destinations[2].error, "Schijf vol");  // its own error, no count added
    EXPECT_FALSE(r.destinations[0].volumeID);

    Lang::current = AppLanguage::en;
    const auto english = TransferRecord("F", "A001", std::nullopt, "C", std::nullopt, "fp",
                                        result({destination(0, "SSD", std::nullopt, {"x"})}));
    EXPECT_EQ(english.destinations[0].error, "1 file not verified");

    const auto clean = TransferRecord("F", "A001", std::nullopt, "C", std::nullopt, "fp", result({destination(0, "A")}));
    EXPECT_TRUE(clean.succeeded);
    EXPECT_NE(clean.id, english.id);

    const auto none = TransferRecord("F", "A001", std::nullopt, "C", std::nullopt, "fp", result({}));
    EXPECT_TRUE(none.destinations.empty());
    EXPECT_FALSE(none.succeeded);
}

// A card that failed mid-copy is complete on no drive, whatever the drives themselves reported.
TEST(TransferRecord, SourceErrorFailsEveryDestination) {
    auto failed = result({destination(0, "SSD1"), destination(1, "SSD2", "Schijf verdwenen")});
    failed.sourceError = "Card unreadable: Input/output error";
    const auto r = TransferRecord("F", "A001", 1, "CARD", std::nullopt, "fp", failed);
    EXPECT_FALSE(r.succeeded);
    EXPECT_FALSE(r.destinations[0].succeeded);
    EXPECT_EQ(r.destinations[0].error, "Card unreadable: Input/output error");
    EXPECT_EQ(r.destinations[1].error, "Schijf verdwenen");
}

TEST(TransferRecord, StagedRecordsAndTheHistoryCap) {
    const auto noon = at("2026-03-05T12:00:00Z");
    const auto staged = TransferRecord("Feature", "A002", 2, "CARD", std::nullopt, "fp", 40, 5'000, noon,
                                       {TransferRecord::Destination("SSD1", "/p", true, "U1", 1'000),
                                        TransferRecord::Destination("SSD2", "/q", false)},
                                       true);
    EXPECT_EQ(staged.startedAt, at("2026-03-05T11:50:00Z"));
    EXPECT_EQ(staged.algorithm, ChecksumAlgorithm::xxhash64);
    EXPECT_FALSE(staged.succeeded);
    EXPECT_TRUE(TransferRecord("F", "R", std::nullopt, "C", std::nullopt, "fp", 0, 0, noon, {}, false).succeeded);

    auto history = sampleHistory(500);
    const UUID oldest = history.back().id;
    const UUID secondOldest = history[498].id;
    TransferRecord::insertIntoHistory(history, staged);
    EXPECT_EQ(history.size(), 500u);
    EXPECT_EQ(history.front().id, staged.id);
    EXPECT_EQ(history.back().id, secondOldest);
    EXPECT_NE(history.back().id, oldest);
}

TEST(TransferRecord, OlderFilesLoadAndBadRecordsFailTheWholeFile) {
    TempDir dir;
    const JSONStore<std::vector<TransferRecord>> store("history.json", dir.path());
    const std::string older = R"([{
      "id": "e621e1f8-c36c-495a-93fc-0c247a3e6e5f", "project": "Doc", "roll": "S001", "sourceName": "ZOOM",
      "cameraLabel": null, "fingerprint": "abc", "fileCount": 2, "totalBytes": 900, "algorithm": "md5",
      "verified": false, "succeeded": true, "startedAt": "2025-01-01T10:00:00Z",
      "finishedAt": "2025-01-01T11:00:00+01:00", "unknown": [1, 2],
      "destinations": [{"name": "SSD", "path": "/media/SSD", "succeeded": true, "capacity": null}]
    }])";
    writeFile(store.url(), older);
    const auto loaded = store.load();
    ASSERT_TRUE(loaded);
    const TransferRecord& r = loaded->front();
    EXPECT_EQ(r.id.text(), "E621E1F8-C36C-495A-93FC-0C247A3E6E5F");
    EXPECT_FALSE(r.cameraLabel);
    EXPECT_FALSE(r.shootDay);
    EXPECT_EQ(r.finishedAt, at("2025-01-01T10:00:00Z"));
    EXPECT_EQ(r.destinations.front(), TransferRecord::Destination("SSD", "/media/SSD", true));
    store.save(*loaded);
    const std::string saved = readFile(store.url());
    EXPECT_NE(saved.find("\"id\": \"E621E1F8-C36C-495A-93FC-0C247A3E6E5F\""), std::string::npos);
    EXPECT_EQ(saved.find("cameraLabel"), std::string::npos);
    EXPECT_EQ(saved.find("shootDay"), std::string::npos);
    EXPECT_EQ(saved.find("capacity"), std::string::npos);
    EXPECT_EQ(saved.find("unknown"), std::string::npos);

    // One bad field anywhere sets the whole file aside.
    const std::pair<const char*, const char*> faults[] = {
        {R"("fingerprint": "abc", )", ""},
        {R"("algorithm": "md5")", R"("algorithm": "sha1")"},
        {R"("startedAt": "2025-01-01T10:00:00Z")", R"("startedAt": "yesterday")"},
        {R"("fileCount": 2)", R"("fileCount": "2")"},
        {R"("fileCount": 2)", R"("fileCount": 2.5)"},
        {R"("cameraLabel": null)", R"("cameraLabel": 7)"},
        {R"("succeeded": true, "capacity")", R"("capacity")"},
        {R"("id": "e621e1f8-c36c-495a-93fc-0c247a3e6e5f")", R"("id": "e621e1f8")"},
    };
    for (const auto& [from, to] : faults) {
        std::string text = older;
        text.replace(text.find(from), std::string_view(from).size(), to);
        writeFile(store.url(), text);
        EXPECT_FALSE(store.load()) << text;
    }
}
