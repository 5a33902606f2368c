#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "Support/Text.h"

using namespace quillane;

TEST(Text, NaturalOrderIsNumericAndNeverEqualForDifferentTexts) {
    std::vector<std::string> names{"A010", "A2", "a1", "A1", "a01", "B1", "A10"};
    std::sort(names.begin(), names.end(), Text::NaturalLess());
    EXPECT_LT(Text::naturalCompare("A2", "A10"), 0);
    EXPECT_LT(Text::naturalCompare("clip9.mov", "clip10.mov"), 0);
    EXPECT_NE(Text::naturalCompare("a01", "a1"), 0);
    EXPECT_EQ(Text::naturalCompare("a01", "a01"), 0);
    EXPECT_EQ(Text::naturalCompare("a01", "a1"), -Text::naturalCompare("a1", "a01"));
    EXPECT_LT(std::find(names.begin(), names.end(), "A2") - names.begin(),
              std::find(names.begin(), names.end(), "A10") - names.begin());
    EXPECT_EQ(names.back(), "B1");
}

TEST(Text, NaturalOrderIsAStrictWeakOrderOnArbitraryBytes) {
    std::mt19937 rng(1);
    std::vector<std::string> names;
    const std::string alphabet = "aA0129._ \xC3\xA9\xFF\x80";
    for (int i = 0; i < 300; ++i) {
        std::string s;
        for (int n = rng() % 8; n > 0; --n) s += alphabet[rng() % alphabet.size()];
        names.push_back(s);
    }
    std::sort(names.begin(), names.end(), Text::NaturalLess());
    for (std::size_t i = 0; i + 1 < names.size(); ++i) {
        EXPECT_LE(Text::naturalCompare(names[i], names[i + 1]), 0);
        EXPECT_GE(Text::naturalCompare(names[i + 1], names[i]), 0);
    }
}

TEST(Text, InvalidUtf8IsReplacedNotPassedOn) {
    const std::string bad = "ok\xFF\xC3(\xE2\x82";
    EXPECT_FALSE(Text::isValidUtf8(bad));
    const std::string repaired = Text::validUtf8(bad);
    EXPECT_TRUE(Text::isValidUtf8(repaired));
    EXPECT_EQ(repaired.substr(0, 2), "ok");
    EXPECT_EQ(Text::validUtf8("Zoë"), "Zoë");
    EXPECT_EQ(Text::encode(Text::decode("Ça va 🎬")), "Ça va 🎬");
    EXPECT_FALSE(Text::isValidUtf8("\xED\xA0\x80"));  // an encoded surrogate
    EXPECT_EQ(Text::visible("bad\xFF\xFE.MP4"), "bad\\xFF\\xFE.MP4");
    EXPECT_EQ(Text::visible("a\tb\nc\rd\x01\x7F\xC2\x85\xEF\xBF\xBE \xC3\xA9\\"), "a\\tb\\nc\\rd\\x01\\x7F\\u0085\\uFFFE \xC3\xA9\\");
}

TEST(Text, CaseAndClassesAndTrimming) {
    EXPECT_EQ(Text::lowercased("ÉCLAIR A001"), "éclair a001");
    EXPECT_EQ(Text::uppercased("straße"), "STRASSE");
    EXPECT_EQ(Text::asciiLowercased("MOV É"), "mov É");
    EXPECT_TRUE(Text::caseInsensitiveEqual("Clip.MOV", "clip.mov"));
    EXPECT_TRUE(Text::containsCaseInsensitive("A001C003_250314.MOV", "c003"));
    EXPECT_FALSE(Text::containsCaseInsensitive("A001", "b"));
    EXPECT_TRUE(Text::isControlOrFormat(U'\t'));
    EXPECT_TRUE(Text::isControlOrFormat(0x200B));  // zero-width space is Cf
    EXPECT_FALSE(Text::isControlOrFormat(U'a'));
    EXPECT_TRUE(Text::isHorizontalSpace(0x00A0));
    EXPECT_FALSE(Text::isHorizontalSpace(U'\n'));
    EXPECT_EQ(Text::trimHorizontalSpace("\t a \n "), "a \n");
    EXPECT_EQ(Text::trimSpaceAndNewlines("\n\t a b \r\n"), "a b");
    EXPECT_EQ(Text::trimmedOrNone(" Samsung\xFF \n"), "Samsung\uFFFD");
    EXPECT_FALSE(Text::trimmedOrNone(" \t\n"));
    EXPECT_EQ(Text::extension("A001.R3D"), "R3D");
    EXPECT_EQ(Text::extension(".hidden"), "");
    EXPECT_EQ(Text::extension("noext"), "");
}
