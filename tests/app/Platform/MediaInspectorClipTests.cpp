// Facts and thumbnails of single clips made with the ffmpeg command.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QColor>
#include <QImage>

#include <map>
#include <memory>

#include "Platform/MediaInspector.h"
#include "support/TempDir.h"
#include "support/TestClips.h"

namespace quillane {
namespace {

namespace fs = std::filesystem;
using testing::makeClip;

// Quadrants that tell every turn and mirror apart: yellow, green / red, black.
const std::string quadrants =
    "-f lavfi -i \"nullsrc=s=320x180:r=25:d=2,format=rgb24,geq=r='if(lt(X,W/2),255,0)':g='if(lt(Y,H/2),255,0)':b=0\" "
    "-c:v libx264 -pix_fmt yuv420p";

// Red until `green` seconds, green until `blue`, then blue; one key frame only, so a frame
// after the start can only be reached by decoding up to it.
std::string colourSteps(double duration, double green, double blue) {
    auto s = [](double v) { return std::to_string(v); };
    return "-f lavfi -i \"nullsrc=s=64x36:r=25:d=" + s(duration) + ",format=rgb24,geq=r='if(lt(T," + s(green) +
           "),255,0)':g='if(between(T," + s(green) + "," + s(blue - 0.001) + "),255,0)':b='if(gte(T," + s(blue) +
           "),255,0)'\" -c:v libx264 -g 1000 -pix_fmt yuv420p";
}

class MediaInspectorClipTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { dir = std::make_unique<testing::TempDir>("quillane-clips"); }
    static void TearDownTestSuite() { dir.reset(); }
    void SetUp() override {
        if (!testing::haveFFmpeg()) GTEST_SKIP() << "the ffmpeg command is not installed";
    }
    static fs::path at(const std::string& name) { return dir->path() / name; }

    // A test clip, made with ffmpeg the first time a test asks for it.
    static fs::path clip(const std::string& name) {
        const std::string h264 = "-c:v libx264 -preset ultrafast -pix_fmt yuv420p";
        const std::map<std::string, std::string> recipes{
            {"h264_23976.mov", "-f lavfi -i testsrc2=s=320x180:r=24000/1001 -f lavfi -i sine=d=2.5 -t 2.002 "
                               "-map 0:v -map 1:a " + h264 + " -c:a aac"},
            {"h264_25.mp4", "-f lavfi -i testsrc2=s=320x180:r=25 -t 2 " + h264},
            {"prores_hq.mov", "-f lavfi -i testsrc2=s=320x180:r=25 -t 1 -c:v prores_ks -profile:v 3"},
            {"prores_proxy.mov", "-f lavfi -i testsrc2=s=320x180:r=25 -t 1 -c:v prores_ks -profile:v 0"},
            {"mpeg2.mxf", "-f lavfi -i testsrc2=s=320x180:r=25 -t 1 -c:v mpeg2video"},
            {"avchd.mts", "-f lavfi -i testsrc2=s=320x180:r=30000/1001 -t 1.001 " + h264 + " -f mpegts"},
            {"hevc.mp4",
             "-f lavfi -i testsrc2=s=320x180:r=50 -t 1 -c:v libx265 -x265-params log-level=none -tag:v hvc1"},
            {"sound.wav", "-f lavfi -i sine=d=1"},
            {"sound_only.mov", "-f lavfi -i sine=d=1 -c:a aac"},
            {"quadrants.mp4", quadrants},
            {"steps_3s.mp4", colourSteps(3, 1.0, 1.2)},
            {"steps_06s.mp4", colourSteps(0.6, 0.28, 0.3)},
            {"anamorphic.mov", "-f lavfi -i testsrc2=s=320x240:r=25 -t 1 -vf setsar=4/3 " + h264},
            // A portrait phone clip: landscape pixels and a quarter-turn display matrix.
            {"portrait.mp4", "-i " + at("quadrants.mp4").string() + " -c copy -metadata:s:v rotate=90"},
            {"portrait_reference.png", "-i " + at("portrait.mp4").string() + " -frames:v 1"},
            {"faststart.mp4", "-f lavfi -i testsrc2=s=320x180:r=25 -t 2 " + h264 + " -movflags +faststart"},
            // The stream says its colours use matrix 65, a number no standard defines.
            {"unknown_matrix.mts", "-f lavfi -i testsrc2=s=320x180:r=25 -t 1 -c:v mpeg2video -bsf:v "
                                   "mpeg2_metadata=colour_primaries=1:transfer_characteristics=1:"
                                   "matrix_coefficients=65 -f mpegts"},
        };
        const fs::path path = at(name);
        if (name == "portrait.mp4") clip("quadrants.mp4");
        if (name == "portrait_reference.png") clip("portrait.mp4");
        if (!fs::exists(path) && !makeClip(path, recipes.at(name))) ADD_FAILURE() << "ffmpeg could not make " << name;
        return path;
    }

    static QImage thumbnail(const ClipInfo& info) {
        if (!info.thumbnailJPEG) return {};
        return QImage::fromData(reinterpret_cast<const uchar*>(info.thumbnailJPEG->data()),
                                static_cast<int>(info.thumbnailJPEG->size()), "JPEG");
    }

    static inline std::unique_ptr<testing::TempDir> dir;
};

TEST_F(MediaInspectorClipTest, ReadsFactsOfEveryCameraContainer) {
    struct Expected {
        std::string file;
        double duration;
        double fps;
        std::string codec;
    };
    const std::vector<Expected> cases{
        {"h264_23976.mov", 2.002, 24000.0 / 1001, "H.264"},
        {"h264_25.mp4", 2.0, 25, "H.264"},
        {"prores_hq.mov", 1.0, 25, "ProRes 422 HQ"},
        {"prores_proxy.mov", 1.0, 25, "ProRes 422 Proxy"},
        {"mpeg2.mxf", 1.0, 25, "MP2V"},       // MXF carries no code: the QuickTime one stands in
        {"avchd.mts", 1.001, 30000.0 / 1001, "H.264"},
        {"hevc.mp4", 1.0, 50, "HEVC"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const auto info = MediaInspector::inspect(clip(c.file));
        ASSERT_TRUE(info.has_value());
        ASSERT_TRUE(info->duration.has_value());
        EXPECT_NEAR(*info->duration, c.duration, 0.5 / c.fps);  // to the frame
        EXPECT_EQ(info->width, 320);
        EXPECT_EQ(info->height, 180);
        ASSERT_TRUE(info->fps.has_value());
        EXPECT_NEAR(*info->fps, c.fps, 0.001);
        EXPECT_EQ(info->codec, c.codec);

        // Every decodable clip gets a JPEG thumbnail within 320 pixels at the picture's aspect.
        const QImage image = thumbnail(*info);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(320, 180));
    }
}

TEST_F(MediaInspectorClipTest, ScalesAnamorphicPicturesToTheirDisplayAspect) {
    const auto info = MediaInspector::inspect(clip("anamorphic.mov"));
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->width, 320);  // the stored picture, as the track describes it
    EXPECT_EQ(info->height, 240);
    EXPECT_EQ(thumbnail(*info).size(), QSize(320, 180));  // 427×240 shown, scaled to fit
}

TEST_F(MediaInspectorClipTest, TurnsPortraitPhoneClipsUpright) {
    const auto info = MediaInspector::inspect(clip("portrait.mp4"));
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->width, 320);  // the track's own size, before the turn
    EXPECT_EQ(info->height, 180);
    const QImage image = thumbnail(*info);
    const QImage reference(QString::fromStdString(clip("portrait_reference.png").string()));
    ASSERT_FALSE(reference.isNull());
    ASSERT_EQ(reference.size(), QSize(180, 320));  // ffmpeg itself shows it upright
    ASSERT_EQ(image.size(), QSize(180, 320));
    // The same colour in every quadrant as ffmpeg's own upright picture.
    for (auto [x, y] : {std::pair{0.25, 0.25}, {0.75, 0.25}, {0.25, 0.75}, {0.75, 0.75}}) {
        const QColor want = reference.pixelColor(int(x * 180), int(y * 320));
        const QColor got = image.pixelColor(int(x * 180), int(y * 320));
        SCOPED_TRACE(want.name().toStdString() + " vs " + got.name().toStdString());
        EXPECT_NEAR(got.red(), want.red(), 40);
        EXPECT_NEAR(got.green(), want.green(), 40);
        EXPECT_NEAR(got.blue(), want.blue(), 40);
    }
}

TEST_F(MediaInspectorClipTest, TakesTheThumbnailAtHalfTheClipButNoLaterThanOneSecond) {
    auto dominant = [](const QImage& image) {
        const QColor c = image.pixelColor(image.width() / 2, image.height() / 2);
        if (c.red() > 160 && c.green() < 100 && c.blue() < 100) return 'r';
        if (c.green() > 160 && c.red() < 100 && c.blue() < 100) return 'g';
        if (c.blue() > 160 && c.red() < 100 && c.green() < 100) return 'b';
        return '?';
    };
    // 3 s: green from 1.0 s, blue from 1.2 s; half the clip (1.5 s) would be blue.
    const auto threeSeconds = MediaInspector::inspect(clip("steps_3s.mp4"));
    ASSERT_TRUE(threeSeconds && threeSeconds->thumbnailJPEG);
    EXPECT_EQ(dominant(thumbnail(*threeSeconds)), 'g');
    // 0.6 s: blue from 0.3 s, the middle; the start (red) would mean no decoding past the key frame.
    const auto short_ = MediaInspector::inspect(clip("steps_06s.mp4"));
    ASSERT_TRUE(short_ && short_->thumbnailJPEG);
    EXPECT_EQ(dominant(thumbnail(*short_)), 'b');
}

TEST_F(MediaInspectorClipTest, GivesNothingForFilesWithoutReadableVideo) {
    testing::writeFile(at("fake.mov"), "this is a text file that only pretends to be a clip\n");
    testing::writeFile(at("empty.mp4"), "");
    // A camera's MOV cut short before its index (the index of a camera clip comes last).
    const std::string whole = testing::readFile(clip("h264_23976.mov"));
    testing::writeFile(at("truncated.mov"), std::string_view(whole).substr(0, whole.size() / 2));
    fs::create_directories(at("folder.mov"));
    ASSERT_EQ(::mkfifo(at("pipe.mov").c_str(), 0600), 0);  // opening it would wait for a writer for ever
    clip("sound.wav");
    clip("sound_only.mov");

    for (const char* name : {"fake.mov", "empty.mp4", "truncated.mov", "sound.wav", "sound_only.mov", "folder.mov",
                             "pipe.mov", "missing.mov"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(MediaInspector::inspect(at(name)).has_value());
    }
}

TEST_F(MediaInspectorClipTest, AClipWhosePicturesAreCutOffKeepsItsFactsWithoutAThumbnail) {
    // Index first (as phones write it), then the pictures cut off after a few bytes.
    const std::string whole = testing::readFile(clip("faststart.mp4"));
    const auto mdat = whole.find("mdat");
    ASSERT_NE(mdat, std::string::npos);
    testing::writeFile(at("cut.mp4"), std::string_view(whole).substr(0, mdat + 64));
    const auto info = MediaInspector::inspect(at("cut.mp4"));
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->codec, "H.264");
    EXPECT_EQ(info->width, 320);
    EXPECT_NEAR(info->duration.value_or(0), 2.0, 0.02);
    EXPECT_FALSE(info->thumbnailJPEG.has_value());
}

TEST_F(MediaInspectorClipTest, AColourMatrixNoStandardDefinesGetsTheThumbnailOfAnUntaggedClip) {
    const auto info = MediaInspector::inspect(clip("unknown_matrix.mts"));
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->width, 320);
    const QImage picture = thumbnail(*info);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(320, 180));
}

TEST(MediaInspectorCodecName, NamesFourCharacterCodes) {
    auto code = [](const char* c) {
        return std::uint32_t(std::uint8_t(c[0])) << 24 | std::uint32_t(std::uint8_t(c[1])) << 16 |
               std::uint32_t(std::uint8_t(c[2])) << 8 | std::uint32_t(std::uint8_t(c[3]));
    };
    EXPECT_EQ(MediaInspector::codecName(code("apch")), "ProRes 422 HQ");
    EXPECT_EQ(MediaInspector::codecName(code("hvc1")), "HEVC");
    EXPECT_EQ(MediaInspector::codecName(code("hev1")), "HEVC");
    EXPECT_EQ(MediaInspector::codecName(code("aprh")), "ProRes RAW HQ");
    EXPECT_EQ(MediaInspector::codecName(code("abcd")), "ABCD");
    EXPECT_EQ(MediaInspector::codecName(code("dvh1")), "DVH1");
    EXPECT_EQ(MediaInspector::codecName(code("raw ")), "RAW");
    EXPECT_EQ(MediaInspector::codecName(code("\tmp4v")), "MP4");  // trimmed, then not in the table
    EXPECT_EQ(MediaInspector::codecName(code("APCH")), "APCH");   // the table is case-sensitive
    EXPECT_EQ(MediaInspector::codecName(0xA9617663u), "?");        // not ASCII
}

}  // namespace
}  // namespace quillane
