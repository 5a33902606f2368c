#include <gtest/gtest.h>

#include "Detection/CameraMatch.h"
#include "Detection/ContentProbe.h"
#include "Detection/DriveClassification.h"
#include "Detection/DriveRole.h"
#include "Support/Lang.h"
#include "support/Scopes.h"

using namespace quillane;

using quillane::testing::LanguageScope;

TEST(DriveRole, RawValuesOrderAndNamesInBothLanguages) {
    ASSERT_EQ(DriveRoles::allCases.size(), 3u);
    EXPECT_EQ(DriveRoles::allCases[0], DriveRole::source);
    EXPECT_EQ(DriveRoles::allCases[2], DriveRole::ignored);
    for (DriveRole role : DriveRoles::allCases) EXPECT_EQ(DriveRoles::fromRawValue(DriveRoles::id(role)), role);
    EXPECT_EQ(DriveRoles::fromRawValue("Source"), std::nullopt);
    EXPECT_EQ(DriveRoles::fromRawValue(""), std::nullopt);
    LanguageScope nl(AppLanguage::nl);
    EXPECT_EQ(DriveRoles::displayName(DriveRole::source), "Bron (camerakaart)");
}

TEST(DriveClassification, ConfidenceLabelThresholds) {
    LanguageScope en(AppLanguage::en);
    DriveClassification c;
    c.confidence = 0.85;
    EXPECT_EQ(c.confidenceLabel(), "Certain");
    c.confidence = 0.8499;
    EXPECT_EQ(c.confidenceLabel(), "Likely");
    c.confidence = 0.68;
    EXPECT_EQ(c.confidenceLabel(), "Likely");
    c.confidence = 0.6799;
    EXPECT_EQ(c.confidenceLabel(), "Check");
    c.isLearned = true;
    EXPECT_EQ(c.confidenceLabel(), "Remembered");
}

TEST(CameraMatchAndProbe, DerivedValues) {
    CameraMatch sony{"Sony", "XAVC", "PRIVATE/M4ROOT folder found", "SONY"};
    EXPECT_EQ(sony.label(), "Sony \u00B7 XAVC");
    EXPECT_FALSE(sony.isSound());
    EXPECT_TRUE((CameraMatch{"Sound recorder", "WAV", "", "SOUND"}).isSound());
    EXPECT_FALSE((CameraMatch{"x", "y", "", "sound"}).isSound());

    ContentProbe p;
    EXPECT_TRUE(p.isEmpty());
    p.directoryPaths = {"PRIVATE", "PRIVATE/M4ROOT"};
    p.extensionCounts = {{"mp4", 3}};
    p.rootNames = {"PRIVATE"};
    p.shallowVideoCount = 3;
    p.deepVideoCount = 2;
    EXPECT_EQ(p.count("MP4"), 3);
    EXPECT_EQ(p.count("mov"), 0);
    EXPECT_TRUE(p.hasDirectory("private/m4root"));
    EXPECT_FALSE(p.hasDirectory("private/m4root/clip"));
    EXPECT_EQ(p.videoFileCount(), 5);
    EXPECT_FALSE(p.isEmpty());
}
