#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "Detection/CameraSignatures.h"
#include "Detection/ContentProber.h"
#include "Detection/MediaTypes.h"
#include "Support/Lang.h"
#include "ProbeSupport.h"
#include "support/Scopes.h"

using namespace quillane;
namespace fs = std::filesystem;

namespace {

using quillane::detectiontest::probeOf;
using quillane::testing::LanguageScope;

struct Family {
    const char* what;
    std::initializer_list<std::string> paths;
    const char* volumeName;
    const char* brand;
    const char* format;
    const char* token;
    const char* evidence;  // English
    const char* reel;      // "" for none
};

}  // namespace

TEST(CameraSignatures, EveryFamilyIsRecognisedFromItsCardTree) {
    LanguageScope en(AppLanguage::en);
    const Family families[] = {
        {"RED magazine folder", {"B003_0412.RDM/B003_A001_0412AB.RDC/B003_A001_0412AB_001.R3D"}, "RED_MAG", "RED", "R3D",
         "RED", "RED magazine structure (.RDM/.R3D)", "B003"},
        {"loose R3D clips", {"clips/A001_C001.R3D"}, "NO NAME", "RED", "R3D", "RED", "RED magazine structure (.RDM/.R3D)", ""},
        {"ARRI reel folder, MXF",
         {"A001R2CD/A001C001_230512_R2CD.mxf", "A001R2CD/A001C002_230512_R2CD.mxf"}, "ALEXA", "ARRI", "ARRIRAW / MXF",
         "ARRI", "ARRI reel folder and clip names (e.g. A001C001_\u2026)", "A001"},
        {"ARRI ProRes", {"A004R1AB/A004C003_241101_R1AB.mov"}, "A004", "ARRI", "ProRes", "ARRI",
         "ARRI reel folder and clip names (e.g. A001C001_\u2026)", "A004"},
        {"ARRIRAW frames", {"Clip/frame.ari"}, "CARD", "ARRI", "ARRIRAW / MXF", "ARRI",
         "ARRI reel folder and clip names (e.g. A001C001_\u2026)", ""},
        {"ARRIRAW HDE", {"Clip/frame.arx"}, "CARD", "ARRI", "ARRIRAW / MXF", "ARRI",
         "ARRI reel folder and clip names (e.g. A001C001_\u2026)", ""},
        {"Sony XDROOT (with M4ROOT too)", {"XDROOT/Clip/Clip0001.MXF", "PRIVATE/M4ROOT/CLIP/C0001.MP4"}, "SONY", "Sony",
         "XDCAM / X-OCN", "SONY", "XDROOT folder found", ""},
        {"Sony XAVC", {"PRIVATE/M4ROOT/CLIP/C0001.MP4", "PRIVATE/M4ROOT/THMBNL/"}, "B012_FX6", "Sony", "XAVC", "SONY",
         "PRIVATE/M4ROOT folder found", "B012"},
        {"Canon RAW Light", {"DCIM/100CANON/A001C001_0101AB.CRM"}, "EOS_DIGITAL", "Canon", "Cinema RAW Light", "CANON",
         ".CRM clips found", ""},
        {"Canon XF-AVC", {"CONTENTS/CLIPS001/AA0001/AA000101.MXF"}, "CANON", "Canon", "XF-AVC", "CANON",
         "CONTENTS/CLIPS001 folder found", ""},
        {"Panasonic P2 VIDEO", {"CONTENTS/VIDEO/0001AB.MXF", "CONTENTS/AUDIO/0001AB00.MXF"}, "NO NAME", "Panasonic", "P2",
         "PANASONIC", "P2 structure (CONTENTS/VIDEO)", ""},
        {"Panasonic P2 CLIP", {"CONTENTS/CLIP/0001AB.XML"}, "LUMIX", "Panasonic", "P2", "PANASONIC",
         "P2 structure (CONTENTS/VIDEO)", ""},
        {"Blackmagic", {"A014_08121433_C002.braw"}, "BMPCC", "Blackmagic", "BRAW", "BMD", ".braw clips found", "A014"},
        {"GoPro folder", {"DCIM/100GOPRO/GH010001.MP4"}, "GOPRO", "GoPro", "MP4", "GOPRO", "DCIM/100GOPRO folder found", ""},
        {"GoPro names", {"DCIM/101MEDIA/GX010042.MP4"}, "UNTITLED", "GoPro", "MP4", "GOPRO", "DCIM/100GOPRO folder found", ""},
        {"GoPro older names", {"DCIM/104MEDIA/GOPR0042.MP4"}, "UNTITLED", "GoPro", "MP4", "GOPRO",
         "DCIM/100GOPRO folder found", ""},
        {"DJI names", {"DCIM/100MEDIA_/dji_0001.mp4"}, "DJI", "DJI", "MP4 / MOV", "DJI", "DJI file names in DCIM", ""},
        {"DJI folder", {"DCIM/DJI_001/clip.mov"}, "DJI", "DJI", "MP4 / MOV", "DJI", "DJI file names in DCIM", ""},
        {"DJI 100MEDIA", {"DCIM/100MEDIA/"}, "DRONE", "DJI", "MP4 / MOV", "DJI", "DJI file names in DCIM", ""},
        {"Insta360", {"DCIM/Camera01/VID_20240101_120000_00_001.insv"}, "X3", "Insta360", "INSV", "INSTA360",
         ".insv clips found", ""},
        {"AVCHD", {"PRIVATE/AVCHD/BDMV/STREAM/00000.MTS"}, "CAM", "AVCHD", "MTS", "AVCHD", "PRIVATE/AVCHD folder found", ""},
        {"any DCIM camera", {"DCIM/100NIKON/DSC_0001.MOV"}, "NIKON Z6", "Camera", "DCIM", "CAM", "DCIM folder found", ""},
        {"lower-case GoPro names are just a camera", {"DCIM/100MEDIA_/gx010001.mp4"}, "UNTITLED", "Camera", "DCIM", "CAM",
         "DCIM folder found", ""},
        {"sound recorder", {"F8n_TAKES/261009_001.WAV", "F8n_TAKES/261009_002.WAV", "F8n_TAKES/261009.ZSG"}, "ZOOM_F8",
         "Sound recorder", "WAV", "SOUND", "Audio files only", ""},
        {"sound recorder on a reel-named card", {"S001.WAV"}, "S002", "Sound recorder", "WAV", "SOUND", "Audio files only",
         "S002"},
    };
    for (const Family& f : families) {
        SCOPED_TRACE(f.what);
        const ContentProbe probe = probeOf(f.paths);
        const auto match = CameraSignatures::detect(probe);
        ASSERT_TRUE(match.has_value());
        EXPECT_EQ(match->brand, f.brand);
        EXPECT_EQ(match->format, f.format);
        EXPECT_EQ(match->token, f.token);
        EXPECT_EQ(match->evidence, f.evidence);
        const auto reel = CameraSignatures::reelName(f.volumeName, &probe);
        EXPECT_EQ(reel.value_or(""), f.reel);
    }
}

TEST(CameraSignatures, NearMissesAreNotCards) {
    // Footage copied to an SSD keeps its camera folders one level down: that is no camera card.
    const ContentProbe ssd =
        probeOf({"Project/Day01/A001/DCIM/100GOPRO/GH010001.MP4", "Project/Day01/A001R2CD/A001C001_230512_R2CD.mxf"});
    EXPECT_FALSE(CameraSignatures::detect(ssd).has_value());
    // A sound folder beside video is no sound card.
    const ContentProbe mixed = probeOf({"Sound/take1.wav", "Sound/take2.wav", "Edit/render.mov"});
    EXPECT_FALSE(CameraSignatures::detect(mixed).has_value());
    // Audio with video too deep to be a clip of the card still has video: no sound card.
    const ContentProbe deep = probeOf({"a.wav", "b.wav", "c.wav", "Backup/2024/Day1/A/clip.mov"});
    EXPECT_EQ(deep.deepVideoCount, 1);
    EXPECT_FALSE(CameraSignatures::detect(deep).has_value());
    // Audio buried deep does not count.
    const ContentProbe buried = probeOf({"Project/Day01/Sound/S001/take.wav"});
    EXPECT_FALSE(CameraSignatures::detect(buried).has_value());
    // Names that almost look like reel folders.
    const ContentProbe almost = probeOf({"a001r2cd/", "A001R2CDX/", "A01R2CD/"});
    EXPECT_FALSE(CameraSignatures::detect(almost).has_value());
    EXPECT_FALSE(CameraSignatures::detect(ContentProbe{}).has_value());
}

TEST(CameraSignatures, OrderDecidesBetweenOverlappingTraces) {
    const ContentProbe redWithDcim = probeOf({"A001_0101XY.RDM/", "DCIM/100CANON/x.jpg"});
    EXPECT_EQ(CameraSignatures::detect(redWithDcim)->token, "RED");
    const ContentProbe arriWithDcim = probeOf({"A001R2CD/", "DCIM/"});
    EXPECT_EQ(CameraSignatures::detect(arriWithDcim)->token, "ARRI");
    const ContentProbe gopro = probeOf({"DCIM/100GOPRO/", "DCIM/100MEDIA/"});
    EXPECT_EQ(CameraSignatures::detect(gopro)->token, "GOPRO");
    const ContentProbe clipsAndAudio = probeOf({"DCIM/100NIKON/a.mov", "DCIM/100NIKON/a.wav"});
    EXPECT_EQ(CameraSignatures::detect(clipsAndAudio)->token, "CAM");
}

TEST(CameraSignatures, ReelFoldersAndReelNames) {
    ContentProbe p;
    p.rootNames = {"A001R2CD"};
    EXPECT_EQ(CameraSignatures::detect(p)->format, "ARRIRAW / MXF");
    EXPECT_EQ(CameraSignatures::ownReelFolder(p), "A001R2CD");
    EXPECT_EQ(CameraSignatures::reelName("X", &p), "A001");
    p.extensionCounts["mov"] = 1;
    EXPECT_EQ(CameraSignatures::detect(p)->format, "ProRes");

    p.rootNames = {".Spotlight-V100", "A001R2CD"};
    EXPECT_EQ(CameraSignatures::ownReelFolder(p), "A001R2CD");
    p.rootNames = {"A001R2CD", "A002R2CD"};
    EXPECT_EQ(CameraSignatures::ownReelFolder(p), std::nullopt);

    ContentProbe red;
    red.rootNames = {"b003_0412.rdm"};
    EXPECT_EQ(CameraSignatures::detect(red)->token, "RED");
    EXPECT_EQ(CameraSignatures::ownReelFolder(red), "b003_0412.rdm");
    EXPECT_EQ(CameraSignatures::reelName("A009", &red), "B003");

    ContentProbe clips;
    clips.sampleVideoNames = {"A014_08121433_C002.braw"};
    EXPECT_EQ(CameraSignatures::reelName("", &clips), "A014");
    clips.sampleVideoNames = {"notes.mov", "A002C003_261009_R1AB.mxf"};
    EXPECT_EQ(CameraSignatures::reelName("", &clips), "A002");

    for (const char* name : {"A001", "a001_backup"}) EXPECT_EQ(CameraSignatures::reelName(name, nullptr), "A001");
    EXPECT_EQ(CameraSignatures::reelName("C123-CARD", nullptr), "C123");
    for (const char* name : {"A0012", "AB001", "CARD", "", "\xff\xfe"})
        EXPECT_EQ(CameraSignatures::reelName(name, nullptr), std::nullopt) << name;
}

TEST(CameraSignatures, EvidenceFollowsTheLanguage) {
    ContentProbe sound;
    sound.audioFileCount = 3;
    ContentProbe dcim;
    dcim.directoryPaths = {"DCIM"};
    dcim.sampleVideoNames = {"dji_0001.mp4"};
    {
        LanguageScope en(AppLanguage::en);
        const auto match = CameraSignatures::detect(sound);
        EXPECT_EQ(match->label(), "Sound recorder \u00B7 WAV");
        EXPECT_TRUE(match->isSound());
        EXPECT_EQ(CameraSignatures::detect(dcim)->evidence, "DJI file names in DCIM");
    }
    LanguageScope nl(AppLanguage::nl);
    EXPECT_EQ(CameraSignatures::detect(sound)->brand, "Geluidsrecorder");
    EXPECT_EQ(CameraSignatures::detect(dcim)->evidence, "DJI-bestandsnamen in DCIM");
    sound.deepVideoCount = 1;
    EXPECT_FALSE(CameraSignatures::detect(sound).has_value());
}
