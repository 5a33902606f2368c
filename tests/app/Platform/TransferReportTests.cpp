// After a run the model rewrites each destination's report with the facts of the clips it copied,
// read from real clips by the platform's clip inspector, and leaves every file the card brought as
// it was.
#include <gtest/gtest.h>

#include "Platform/FFmpegClipInspector.h"
#include "support/TestClips.h"
#include "support/app/ModelRig.h"

namespace quillane {
namespace {

TEST(ModelReport, TheReportIsRewrittenWithClipFactsAndNeverOverACardFile) {
    if (!testing::haveFFmpeg()) GTEST_SKIP() << "the ffmpeg command is not installed";
    struct Case {
        const char* name;
        bool cardBringsReportName;  // the card holds a file named like the roll's report
        const char* report;         // the report the model writes and rewrites
    };
    const Case cases[] = {
        {"plain card", false, "A001_report.html"},
        {"card with a file under the report's name", true, "A001-2_report.html"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
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
        ASSERT_TRUE(rig.transferAndWait());
        ASSERT_EQ(model.transferState(), TransferState::succeeded);

        for (const fs::path& roll : model.transferRollURLs()) {
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
        }
    }
}

}  // namespace
}  // namespace quillane
