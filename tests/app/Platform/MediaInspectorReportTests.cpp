// After a transfer the report on a destination is written again with the facts and thumbnails
// of the clips in its roll folder.
#include <gtest/gtest.h>

#include "Platform/MediaInspector.h"
#include "Support/Lang.h"
#include "Transfer/ReportInfo.h"
#include "Transfer/ReportWriter.h"
#include "Transfer/TransferResult.h"
#include "support/Scopes.h"
#include "support/TempDir.h"
#include "support/TestClips.h"

namespace quillane {
namespace {

namespace fs = std::filesystem;

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST(MediaInspectorReport, TheRewrittenReportShowsEveryInspectedClip) {
    if (!testing::haveFFmpeg()) GTEST_SKIP() << "the ffmpeg command is not installed";
    const testing::LanguageScope english(AppLanguage::en);
    testing::TempDir dir("quillane-enrich");
    const fs::path roll = dir / "SSD/Night/A001";
    ASSERT_TRUE(testing::makeClip(roll / "CLIPS/A001C001.MOV",
                                  "-f lavfi -i testsrc2=s=320x180:r=24000/1001:d=2.002 -f lavfi -i sine=d=2.002 "
                                  "-c:v libx264 -pix_fmt yuv420p -c:a aac"));
    ASSERT_TRUE(testing::makeClip(roll / "CLIPS/A001C002.mov",
                                  "-f lavfi -i testsrc2=s=320x180:r=25:d=1 -c:v prores_ks -profile:v 3"));
    ASSERT_TRUE(testing::makeClip(roll / "SOUND/A001.wav", "-f lavfi -i sine=d=1"));
    testing::writeFile(roll / "CLIPS/A001C003.mov", "not a clip");
    testing::writeFile(roll / "CLIPS/A001C004.braw", "raw");

    std::vector<ScannedFile> files;
    for (const char* path : {"CLIPS/A001C001.MOV", "CLIPS/A001C002.mov", "CLIPS/A001C003.mov", "CLIPS/A001C004.braw",
                             "SOUND/A001.wav"}) {
        ScannedFile file;
        file.relativePath = path;
        file.size = static_cast<std::int64_t>(fs::file_size(roll / path));
        files.push_back(file);
    }
    const std::vector<std::optional<std::string>> hashes(files.size(), std::string("0123456789abcdef"));
    TransferResult result;
    result.startedAt = std::chrono::system_clock::now();
    result.finishedAt = result.startedAt + std::chrono::seconds(5);
    result.fileCount = static_cast<int>(files.size());
    result.verified = true;
    DestinationResult destination;
    destination.name = "SSD";
    destination.rollURL = roll;
    result.destinations = {destination};
    const ReportWriter::Info info{"Night", "A001", 3, "CARD", std::nullopt};

    const fs::path first = ReportWriter::write(roll, info, files, hashes, result, 0);
    EXPECT_EQ(count(testing::readFile(first), "<figure>"), 0u);

    const auto clips = MediaInspector::inspect(files, roll);
    const fs::path again = ReportWriter::write(roll, info, files, hashes, result, 0, clips);
    EXPECT_EQ(again, first);  // the same file, replaced
    const std::string html = testing::readFile(again);
    EXPECT_NE(html.find("<h2>Clips (2)</h2>"), std::string::npos);
    EXPECT_EQ(count(html, "<figure>"), 2u);
    EXPECT_EQ(count(html, "<img src=\"data:image/jpeg;base64,/9j/"), 2u);  // JPEG bytes FF D8 FF
    EXPECT_NE(html.find("<b>A001C001.MOV</b><span>0:00:02 · 320×180 · 23.98 fps · H.264</span>"),
              std::string::npos);
    EXPECT_NE(html.find("<b>A001C002.mov</b><span>0:00:01 · 320×180 · 25 fps · ProRes 422 HQ</span>"),
              std::string::npos);
    EXPECT_NE(html.find("<b>0:00:03</b>"), std::string::npos);  // the runtime of both clips
}

}  // namespace
}  // namespace quillane
