// After a run the model rewrites each destination's report with the facts of the clips it copied,
// read from real clips by the platform's clip inspector, in place: one report per run in a roll
// folder, also when another SSD failed, and every file the card brought and every report of an
// earlier run stay as they were.
#include <gtest/gtest.h>

#include <set>

#include "Platform/FFmpegClipInspector.h"
#include "support/TestClips.h"
#include "support/app/ModelRig.h"

namespace quillane {
namespace {

TEST(ModelReport, TheRunsOwnReportIsRewrittenWithClipFactsAndNeverOverACardFileOrAnEarlierReport) {
    if (!testing::haveFFmpeg()) GTEST_SKIP() << "the ffmpeg command is not installed";
    struct Case {
        const char* name;
        bool cardBringsReportName;  // the card holds a file named like the roll's report
        bool earlierReport;         // SSD_A's roll folder holds the report of an earlier run
        bool ssdBFails;             // SSD_B fails mid-copy: the run does not fully succeed
        const char* report;         // the report the model writes and rewrites
    };
    const Case cases[] = {
        {"plain card", false, false, false, "A001_report.html"},
        {"card with a file under the report's name", true, false, false, "A001-2_report.html"},
        {"another SSD failed", false, false, true, "A001_report.html"},
        {"another SSD failed beside an earlier run's report", false, true, true, "A001-2_report.html"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FaultyFileIO faults;  // outlives the rig, whose clip inspection may still be writing
        ModelRig rig;
        rig.harness.clipInspector = std::make_shared<FFmpegClipInspector>();
        testing::makeStartedModel(rig.harness);
        fs::remove(rig.card / "PRIVATE/M4ROOT/CLIP/C0002.MP4");
        ASSERT_TRUE(testing::makeClip(rig.card / "PRIVATE/M4ROOT/CLIP/C0001.MP4",
                                      "-f lavfi -i testsrc2=s=320x180:r=25:d=2 -c:v libx264 -pix_fmt yuv420p"));
        const std::string cardFile = "<html>the camera's own page</html>";
        if (c.cardBringsReportName) testing::writeFile(rig.card / "A001_report.html", cardFile);
        rig.mountAll();
        AppModel& model = rig.model();
        ASSERT_EQ(model.rollName(), "A001");
        const std::string earlierFile = "<html>an earlier run's report</html>";
        if (c.earlierReport) testing::writeFile(model.plans()[0].rollURL / "A001_report.html", earlierFile);
        if (c.ssdBFails) faults.fail({FaultyFileIO::Call::write, "SSD_B/"});
        ASSERT_TRUE(rig.transferAndWait());
        ASSERT_EQ(model.transferState(), c.ssdBFails ? TransferState::failed : TransferState::succeeded);

        std::vector<fs::path> rolls = model.transferRollURLs();
        if (c.ssdBFails) rolls.resize(1);  // a drive that failed gets no report
        for (const fs::path& roll : rolls) {
            const fs::path report = roll / c.report;
            ASSERT_TRUE(rig.harness.waitUntil([&] {
                return fs::exists(report) && testing::readFile(report).find("<figure>") != std::string::npos;
            })) << report;
            const std::string html = testing::readFile(report);
            EXPECT_NE(html.find("<h2>Clips (1)</h2>"), std::string::npos);
            EXPECT_NE(html.find("<b>C0001.MP4</b><span>0:00:02 · 320×180 · 25 fps · H.264</span>"), std::string::npos);
            if (c.cardBringsReportName) {
                EXPECT_EQ(testing::readFile(roll / "A001_report.html"), cardFile);
            }
            if (c.earlierReport) {
                EXPECT_EQ(testing::readFile(roll / "A001_report.html"), earlierFile);
            }
            std::set<std::string> reports;
            for (const auto& entry : fs::directory_iterator(roll))
                if (entry.path().filename().string().ends_with("_report.html")) reports.insert(entry.path().filename());
            std::set<std::string> expected{c.report};
            if (c.cardBringsReportName || c.earlierReport) expected.insert("A001_report.html");
            EXPECT_EQ(reports, expected) << "one report of this run";
        }
    }
}

}  // namespace
}  // namespace quillane
