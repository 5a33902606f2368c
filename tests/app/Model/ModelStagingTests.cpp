#include <gtest/gtest.h>

#include "support/app/ModelHarness.h"

namespace quillane {
namespace {

// A staged running transfer counts the card's files the way a real run's progress does, so the
// action area never reads "0 of 0 files".
TEST(ModelStaging, RunningProgressCountsTheJobsFiles) {
    struct Case {
        const char* name;
        TransferPhase phase;
        double fraction;
        bool verifies;
        int givenTotal;  // 0: the staged progress names no count
        int filesDone, filesTotal;
        std::string currentFile;
    };
    const Case cases[] = {
        {"copying with a read-back to come", TransferPhase::copying, 0.25, true, 0, 2, 4, "C3.MP4"},
        {"copying without a read-back", TransferPhase::copying, 0.25, false, 0, 1, 4, "C2.MP4"},
        {"reading back", TransferPhase::verifying, 0.8, true, 0, 4, 4, ""},
        {"counts given stay", TransferPhase::copying, 0.25, true, 9, 0, 9, ""},
    };
    for (const Case& c : cases) {
        testing::ModelHarness harness;
        AppModel& model = harness.make();
        model.changeSettings([&](AppSettings& s) { s.verifyAfterCopy = c.verifies; });
        SourceScan scan;
        scan.root = "/media/CARD";
        for (int i = 1; i <= 4; ++i) scan.files.push_back({std::string("C").append(std::to_string(i)).append(".MP4"), 1000});
        scan.totalBytes = 4000;
        TransferProgress progress;
        progress.phase = c.phase;
        progress.fraction = c.fraction;
        progress.filesTotal = c.givenTotal;
        harness.stage().project("Alpha").scan(scan, ScanState::ready()).transfer(TransferState::running, progress);
        ASSERT_TRUE(model.progress()) << c.name;
        EXPECT_EQ(model.progress()->filesDone, c.filesDone) << c.name;
        EXPECT_EQ(model.progress()->filesTotal, c.filesTotal) << c.name;
        EXPECT_EQ(model.progress()->currentFile, c.currentFile) << c.name;
        if (c.givenTotal == 0) {
            EXPECT_EQ(model.progress()->totalBytes, 4000) << c.name;
        }
    }
}

}  // namespace
}  // namespace quillane
