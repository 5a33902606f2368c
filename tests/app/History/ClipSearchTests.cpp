#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>

#include <thread>

#include "HistoryFixtures.h"
#include "Model/ClipSearch.h"
#include "Transfer/SourceScan.h"
#include "support/TempDir.h"

using namespace quillane;
using namespace quillane::testing;

namespace {

// A catalog on disk of `transfers` offloads (newest first in records), each of `clips` clips
// named <roll>C<number>.MOV.
struct StoredCatalog {
    TempDir store;
    std::vector<TransferRecord> records;

    StoredCatalog(int transfers, int clips) {
        ClipCatalog writer(store.path());
        for (int t = 1; t <= transfers; ++t) {
            const std::string roll = "A00" + std::to_string(t);
            TransferRecord record = offload("Feature", roll, {"SSD1"}, 1, t);
            std::vector<ScannedFile> files;
            for (int c = 1; c <= clips; ++c) files.push_back(ScannedFile{roll + "/" + roll + "C" + std::to_string(c) + ".MOV", c});
            writer.add(record.id, files, {});
            records.insert(records.begin(), record);
        }
    }
};

// Holds jobs until the test runs them, each on a thread of its own.
struct HeldJobs {
    std::vector<std::function<void()>> jobs;
    ClipSearch::Runner runner() {
        return [this](std::function<void()> job) { jobs.push_back(std::move(job)); };
    }
    void runAndWait(std::size_t index) {
        std::thread(jobs.at(index)).join();
        QCoreApplication::processEvents();
    }
};

std::vector<std::string> names(const std::vector<ClipHit>& hits) {
    std::vector<std::string> out;
    for (const auto& hit : hits) out.push_back(hit.fileName());
    return out;
}

}  // namespace

TEST(ClipSearch, NewerQueriesSupersedeOlderOnes) {
    StoredCatalog stored(3, 5);
    ClipCatalog catalog(stored.store.path());
    HeldJobs held;
    ClipSearch search(catalog, held.runner());
    QSignalSpy answers(&search, &ClipSearch::answered);

    search.request("a001c1.", stored.records, 200);
    search.request("a002c2.", stored.records, 200);  // waits
    search.request("a003c3.", stored.records, 200);  // replaces the waiting one
    EXPECT_TRUE(search.busy());
    ASSERT_EQ(held.jobs.size(), 1u);

    held.runAndWait(0);  // the first answer arrives and is dropped; the newest starts
    EXPECT_EQ(answers.count(), 0);
    ASSERT_EQ(held.jobs.size(), 2u);
    held.runAndWait(1);
    EXPECT_EQ(answers.count(), 1);
    EXPECT_FALSE(search.busy());
    EXPECT_EQ(search.query(), "a003c3.");
    EXPECT_EQ(names(search.hits()), std::vector<std::string>{"A003C3.MOV"});

    // Below two characters nothing runs and the answer is empty at once.
    search.request(" a ", stored.records, 200);
    EXPECT_EQ(held.jobs.size(), 2u);
    EXPECT_EQ(answers.count(), 2);
    EXPECT_TRUE(search.hits().empty());
}

TEST(ClipSearch, NewestTransfersFirstUpToTheLimitSkippingUnreadableFiles) {
    StoredCatalog stored(3, 150);
    // The newest transfer's catalog file is damaged: its clips are not found, the rest are.
    writeFile(stored.store / "catalog" / (stored.records[0].id.text() + ".json"), "{ not json");
    ClipCatalog catalog(stored.store.path());
    HeldJobs held;
    ClipSearch search(catalog, held.runner());

    search.request(".mov", stored.records, 200);
    held.runAndWait(0);
    ASSERT_EQ(search.hits().size(), 200u);
    EXPECT_EQ(search.hits().front().fileName(), "A002C1.MOV");
    EXPECT_EQ(search.hits()[149].fileName(), "A002C150.MOV");
    EXPECT_EQ(search.hits()[150].fileName(), "A001C1.MOV");
    EXPECT_EQ(search.hits().back().fileName(), "A001C50.MOV");
}

TEST(ClipSearch, AnAnswerForASearchThatIsGoneIsDropped) {
    StoredCatalog stored(1, 3);
    ClipCatalog catalog(stored.store.path());
    HeldJobs held;
    auto search = std::make_unique<ClipSearch>(catalog, held.runner());
    ClipSearch other(catalog, held.runner());
    QSignalSpy answers(&other, &ClipSearch::answered);
    search->request("a001c1", stored.records, 200);
    other.request("a001c2", stored.records, 200);
    search.reset();
    held.runAndWait(0);  // lands on nothing, crashes nothing
    EXPECT_EQ(answers.count(), 0);
    held.runAndWait(1);
    ASSERT_EQ(answers.count(), 1);
    EXPECT_EQ(other.query(), "a001c2");
    EXPECT_EQ(names(other.hits()), std::vector<std::string>{"A001C2.MOV"});
}
