#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Detection/ByteFormat.h"
#include "Detection/MediaTypes.h"
#include "Support/Lang.h"
#include "support/CommaLocale.h"
#include "support/Scopes.h"

using namespace quillane;

TEST(ByteFormat, DecimalUnitsFromKBToTB) {
    EXPECT_EQ(ByteFormat::string(0), "Zero KB");
    EXPECT_EQ(ByteFormat::string(1), "1 KB");
    EXPECT_EQ(ByteFormat::string(999), "1 KB");
    EXPECT_EQ(ByteFormat::string(1000), "1 KB");
    EXPECT_EQ(ByteFormat::string(1500), "2 KB");
    EXPECT_EQ(ByteFormat::string(999'999), "1 MB");
    EXPECT_EQ(ByteFormat::string(250'000'000), "250 MB");
    EXPECT_EQ(ByteFormat::string(1'500'000'000), "1.5 GB");
    EXPECT_EQ(ByteFormat::string(1'234'567'890), "1.23 GB");
    EXPECT_EQ(ByteFormat::string(2'000'000'000'000), "2 TB");
    EXPECT_EQ(ByteFormat::string(5'000'000'000'000'000), "5000 TB");

    // Where the desktop writes a decimal comma, so does the count, trimmed alike.
    quillane::testing::CommaLocale comma;
    if (!comma.active()) GTEST_SKIP() << "no locale with a decimal comma could be set";
    EXPECT_EQ(ByteFormat::string(1'500'000'000), "1,5 GB");
    EXPECT_EQ(ByteFormat::string(2'000'000'000), "2 GB");
    EXPECT_EQ(ByteFormat::string(1'234'567'890), "1,23 GB");
}

TEST(ByteFormat, RatesAndTheirDash) {
    const std::string dash = "\u2014";
    EXPECT_EQ(ByteFormat::rate(0), dash);
    EXPECT_EQ(ByteFormat::rate(-5), dash);
    EXPECT_EQ(ByteFormat::rate(std::nan("")), dash);
    EXPECT_EQ(ByteFormat::rate(std::numeric_limits<double>::infinity()), dash);
    EXPECT_EQ(ByteFormat::rate(-std::numeric_limits<double>::infinity()), dash);
    EXPECT_EQ(ByteFormat::rate(0.5), ByteFormat::string(0) + "/s");
    EXPECT_EQ(ByteFormat::rate(1999.9), ByteFormat::string(1999) + "/s");
    EXPECT_EQ(ByteFormat::rate(250e6), "250 MB/s");
    EXPECT_FALSE(ByteFormat::rate(1e30).empty());  // clamped, not undefined
}

TEST(MediaTypes, JunkNamesAreExactAndPrefixesAndSuffixesCount) {
    EXPECT_FALSE(MediaTypes::isJunk("A001C003.mov"));
    EXPECT_TRUE(MediaTypes::isJunk("._A001C003.mov"));
    EXPECT_TRUE(MediaTypes::isJunk(".DS_Store"));
    EXPECT_FALSE(MediaTypes::isJunk(".ds_store"));
    EXPECT_FALSE(MediaTypes::isJunk(".DS_Store2"));
    EXPECT_TRUE(MediaTypes::isJunk("clip.mov.quillane-partial"));
    EXPECT_TRUE(MediaTypes::isJunk("clip.mov.tarnwick-partial"));
    EXPECT_FALSE(MediaTypes::isJunk("clip.quillane-partial.mov"));
    EXPECT_TRUE(MediaTypes::isJunk("System Volume Information"));
    EXPECT_TRUE(MediaTypes::isJunk("$RECYCLE.BIN"));
    EXPECT_TRUE(MediaTypes::isAudio("WAV"));
    EXPECT_TRUE(MediaTypes::isAudio("wav"));
    EXPECT_FALSE(MediaTypes::isAudio("mov"));
    EXPECT_FALSE(MediaTypes::isAudio(""));
}

TEST(CopyMode, TextsFollowTheLanguage) {
    quillane::testing::LanguageScope language;
    EXPECT_EQ(CopyModes::fromRawValue("videoOnly"), CopyMode::videoOnly);
    EXPECT_FALSE(CopyModes::fromRawValue("video"));
    Lang::current = AppLanguage::nl;
    EXPECT_EQ(CopyModes::displayName(CopyMode::videoOnly), "Alleen videobestanden");
    Lang::current = AppLanguage::en;
    EXPECT_EQ(CopyModes::id(CopyModes::allCases[0]), "entireCard");
}
