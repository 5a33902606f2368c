#include <gtest/gtest.h>

#include "Support/Lang.h"
#include "Transfer/TransferJob.h"
#include "Transfer/TransferResult.h"
#include "support/Scopes.h"

namespace quillane {
namespace {

TEST(TransferJob, TakesRootFilesAndFoldersFromTheScan) {
    SourceScan scan;
    scan.root = "/media/card";
    scan.files = {{"A/1.mov", 10, {}, {}}, {"A/2.mov", 32, {}, {}}};
    scan.directories = {"A"};
    scan.totalBytes = 999;  // not kept
    const TransferJob job("Film", "A001", "CARD", scan, {{"SSD1", "/media/ssd1/A001"}}, ChecksumAlgorithm::md5, false,
                          true);
    EXPECT_EQ(job.sourceRoot, "/media/card");
    EXPECT_EQ(job.files, scan.files);
    EXPECT_EQ(job.directories, scan.directories);
    EXPECT_EQ(job.totalBytes(), 42);
    EXPECT_EQ(job.mhlFormat, MHLFormat::asc);
    EXPECT_FALSE(job.report);
    EXPECT_EQ(TransferJob().totalBytes(), 0);
    // What both transfers make their trackers from.
    EXPECT_EQ(job.destinationNames(), std::vector<std::string>{"SSD1"});
    EXPECT_EQ(job.readBackTotals(), std::vector<std::int64_t>{0});
    TransferJob verifying = job;
    verifying.verify = true;
    verifying.destinations.push_back({"SSD2", "/media/ssd2/A001"});
    EXPECT_EQ(verifying.readBackTotals(), (std::vector<std::int64_t>{42, 42}));
}

TEST(TransferResult, SuccessNeedsDestinationsAndNoFailureAnywhere) {
    TransferResult result;
    EXPECT_FALSE(result.allSucceeded());  // no destinations
    result.destinations.push_back({});
    EXPECT_TRUE(result.allSucceeded());
    result.destinations[0].failedFiles = {"A/1.mov"};
    EXPECT_FALSE(result.destinations[0].error);
    EXPECT_FALSE(result.destinations[0].succeeded());
    EXPECT_FALSE(result.allSucceeded());
    result.destinations[0].failedFiles.clear();

    // A complete copy on one destination needs a whole run: no stop, pause or source error.
    result.destinations.push_back({});
    result.destinations[1].error = "Write error";
    EXPECT_TRUE(result.gotCompleteCopy(0));
    EXPECT_FALSE(result.gotCompleteCopy(1));
    EXPECT_FALSE(result.gotCompleteCopy(2));  // no such destination
    EXPECT_FALSE(result.allSucceeded());
    result.destinations.pop_back();
    for (auto spoil : std::vector<void (*)(TransferResult&)>{
             [](TransferResult& r) { r.cancelled = true; }, [](TransferResult& r) { r.paused = true; },
             [](TransferResult& r) { r.sourceError = "Read error"; }}) {
        TransferResult spoilt = result;
        spoil(spoilt);
        EXPECT_FALSE(spoilt.gotCompleteCopy(0));
        EXPECT_FALSE(spoilt.allSucceeded());
    }

    result.totalBytes = 1000;
    result.startedAt = result.finishedAt = std::chrono::system_clock::now();
    EXPECT_EQ(result.averageRate(), 0.0);
    result.finishedAt = result.startedAt + std::chrono::seconds(4);
    EXPECT_DOUBLE_EQ(result.averageRate(), 250.0);
}

TEST(MHLFormat, RawValuesAndNames) {
    quillane::testing::LanguageScope language;
    for (MHLFormat f : MHLFormats::allCases) EXPECT_EQ(MHLFormats::fromRawValue(MHLFormats::id(f)), f);
    EXPECT_FALSE(MHLFormats::fromRawValue("ASC"));
    Lang::current = AppLanguage::nl;
    EXPECT_EQ(MHLFormats::displayName(MHLFormat::asc), "ASC MHL (Netflix, aanbevolen)");
    Lang::current = AppLanguage::en;
}

}  // namespace
}  // namespace quillane
