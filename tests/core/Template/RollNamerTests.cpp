#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "Template/RollNamer.h"

using namespace quillane;
using Names = std::vector<std::string>;

namespace {
constexpr std::int64_t maxInt = std::numeric_limits<std::int64_t>::max();
}

TEST(RollNamer, FormatsPaddedAndNeverShortens) {
    EXPECT_EQ(RollNamer::format("a", 7, 3), "A007");
    EXPECT_EQ(RollNamer::format("A", 1234, 3), "A1234");
    EXPECT_EQ(RollNamer::format("A", 1000, 3), "A1000");
    EXPECT_EQ(RollNamer::format("A", 0, 3), "A000");
    EXPECT_EQ(RollNamer::format("A", -5, 3), "A000");
    EXPECT_EQ(RollNamer::format("A", std::numeric_limits<std::int64_t>::min(), 3), "A000");
    EXPECT_EQ(RollNamer::format("A", 5, 0), "A5");
    EXPECT_EQ(RollNamer::format("cam", 12, 3), "CAM012");
    EXPECT_EQ(RollNamer::format("", 5, 3), "005");
    EXPECT_EQ(RollNamer::format("é", 5, 3), "É005");
    EXPECT_EQ(RollNamer::format("A", maxInt, 3), "A9223372036854775807");
}

TEST(RollNamer, DamagedDigitSettingsPadAtMostTwentyDigits) {
    EXPECT_EQ(RollNamer::format("A", 5, -1), "A5");
    EXPECT_EQ(RollNamer::format("A", 5, std::numeric_limits<std::int64_t>::min()), "A5");
    EXPECT_EQ(RollNamer::format("A", 5, 20), "A" + std::string(19, '0') + "5");
    for (std::int64_t digits : {std::int64_t{21}, std::int64_t{1'000'000'000'000}, maxInt})
        EXPECT_EQ(RollNamer::format("A", 5, digits), "A" + std::string(19, '0') + "5") << digits;
    EXPECT_EQ(RollNamer::step("A5", 1, maxInt).size(), 21u);

    // The next roll keeps counting with the same bound, so numbering does not stall on a huge setting.
    Names used;
    for (int i = 0; i < 3; ++i) used.push_back(RollNamer::nextRoll("A", used, maxInt));
    EXPECT_EQ(used.back(), "A" + std::string(19, '0') + "3");
    EXPECT_EQ(RollNamer::nextRoll("A", {"A1", "A2"}, 0), "A3");
}

TEST(RollNamer, ParsesOneAsciiLetterAndAsciiDigits) {
    using Roll = RollNamer::Roll;
    EXPECT_EQ(RollNamer::parse("a001"), (Roll{"A", 1}));
    EXPECT_EQ(RollNamer::parse("A0"), (Roll{"A", 0}));
    EXPECT_EQ(RollNamer::parse("B12345"), (Roll{"B", 12345}));
    EXPECT_EQ(RollNamer::parse("Z9223372036854775807"), (Roll{"Z", maxInt}));
    EXPECT_EQ(RollNamer::parse("Z00000000000000000000000000042"), (Roll{"Z", 42}));
    for (const char* name : {"A", "AB01", "A-001", "A 001", "A001_X", "1001", "", "É001", "A٠٠١", "A½", "A+1",
                             " A001", "Z9223372036854775808", "CAM012", "A\xff" "1"})
        EXPECT_FALSE(RollNamer::parse(name)) << name;

    // Whatever format makes of one ASCII letter and a number comes back out.
    std::mt19937_64 rng(11);
    for (int i = 0; i < 500; ++i) {
        const char letter = static_cast<char>((rng() % 2 ? 'a' : 'A') + rng() % 26);
        const auto number = static_cast<std::int64_t>(rng() >> (rng() % 64)) & maxInt;
        const auto digits = static_cast<std::int64_t>(rng() % 30) - 5;
        const auto roll = RollNamer::parse(RollNamer::format(std::string(1, letter), number, digits));
        ASSERT_TRUE(roll);
        EXPECT_EQ(roll->letter, std::string(1, static_cast<char>(std::toupper(letter))));
        EXPECT_EQ(roll->number, number);
    }
}

TEST(RollNamer, StepsNeverBelowOneAndWithTheGivenDigits) {
    EXPECT_EQ(RollNamer::step("A005", 1, 3), "A006");
    EXPECT_EQ(RollNamer::step("A001", -1, 3), "A001");
    EXPECT_EQ(RollNamer::step("A010", -100, 3), "A001");
    EXPECT_EQ(RollNamer::step("a5", 1, 3), "A006");
    EXPECT_EQ(RollNamer::step("a1", 0, 3), "A001");
    EXPECT_EQ(RollNamer::step("A0005", 1, 3), "A006");
    EXPECT_EQ(RollNamer::step("CARD_X", 1, 3), "CARD_X");
    EXPECT_EQ(RollNamer::step("", 1, 3), "");
    // At the ends of the range the number stops instead of wrapping around.
    EXPECT_EQ(RollNamer::step("A9223372036854775807", 1, 3), "A9223372036854775807");
    EXPECT_EQ(RollNamer::step("A9223372036854775806", maxInt, 3), "A9223372036854775807");
    EXPECT_EQ(RollNamer::step("A5", std::numeric_limits<std::int64_t>::min(), 3), "A001");
}

TEST(RollNamer, FindsTheHighestNumberOfALetter) {
    auto highest = [](const char* letter, const Names& names, std::int64_t digits = 3) {
        return RollNamer::highestNumber(letter, names, digits);
    };
    EXPECT_EQ(highest("A", {}), 0);
    EXPECT_EQ(highest("A", {"A001"}), 1);
    EXPECT_EQ(highest("A", {"a002_extra"}), 2);
    EXPECT_EQ(highest("A", {"Zomercampagne_A003"}), 3);
    EXPECT_EQ(highest("A", {"BA004", "2A005", "A0006", "A01", "A00"}), 0);
    EXPECT_EQ(highest("A", {"A007-A009"}), 9);
    EXPECT_EQ(highest("A", {"A007A008"}), 7);  // the second letter follows a digit
    EXPECT_EQ(highest("A", {"A001", "A012", "B099", "S050", "A003"}), 12);
    EXPECT_EQ(highest("a", {"A001", "a004"}), highest("A", {"A001", "a004"}));
    EXPECT_EQ(highest("A", {"éA006", "–A007", "A008é"}), 8);  // only ASCII letters and digits block a match
    // Digits of other scripts match as digits but are not read as a number.
    EXPECT_EQ(highest("A", {"A٠٠٩", "A12٣", "A123٤"}), 123);

    // Changing the digits setting restarts the count for the existing names.
    EXPECT_EQ(highest("A", {"A001", "A002"}, 4), 0);
    EXPECT_EQ(highest("A", {"A1", "A9", "A10"}, 0), 9);
    EXPECT_EQ(highest("A", {"A" + std::string(19, '0') + "7"}, 20), 7);
    EXPECT_EQ(highest("A", {"A99999999999999999999"}, 20), 0);  // too large to read: skipped

    // The letter is matched as literal text, never as a pattern, and may be several characters or none.
    EXPECT_EQ(highest(".", {"X001", ".002", "A.003"}), 2);
    EXPECT_EQ(highest("(", {"(004"}), 4);
    EXPECT_EQ(highest("CAM", {"CAM012", "XCAM013", "cam_014"}), 12);
    EXPECT_EQ(highest("", {"card 017", "A018", "2019"}), 17);
}

TEST(RollNamer, NextRollSkipsEveryNameUsedOnAnyDestination) {
    EXPECT_EQ(RollNamer::nextRoll("A", {}, 3), "A001");
    EXPECT_EQ(RollNamer::nextRoll("A", {"A001", "A003"}, 3), "A004");  // gaps are not filled
    EXPECT_EQ(RollNamer::nextRoll("S", {"A001", "A002"}, 3), "S001");
    EXPECT_EQ(RollNamer::nextRoll("s", {"S001", "Zomer_S002_SOUND"}, 3), "S003");
    EXPECT_EQ(RollNamer::nextRoll("A", {"A999"}, 3), "A1000");
    // Rolls that outgrew the digits are not counted as the highest, yet are never offered again.
    EXPECT_EQ(RollNamer::nextRoll("A", {"A999", "A1000"}, 3), "A1001");
    EXPECT_EQ(RollNamer::nextRoll("A", {"A998", "a1000_day2", "A999", "A1001"}, 3), "A1002");
    EXPECT_EQ(RollNamer::nextRoll("A", {"A999", "A10000"}, 3), "A1000");
    EXPECT_EQ(RollNamer::nextRoll("A", {"A9", "A10"}, 1), "A11");
    EXPECT_EQ(RollNamer::nextRoll("A", {"A9223372036854775807"}, 19), "A9223372036854775807");

    // Folders found on some destinations only: the union of every drive's names decides, so the
    // next roll is free on all of them.
    const std::vector<Names> drives{{"A001", "A002"}, {"A001", "A002", "A003", "S001"}, {}};
    Names everywhere;
    for (const auto& names : drives) everywhere.insert(everywhere.end(), names.begin(), names.end());
    const auto next = RollNamer::nextRoll("A", everywhere, 3);
    EXPECT_EQ(next, "A004");
    for (const auto& names : drives) EXPECT_EQ(std::count(names.begin(), names.end(), next), 0);
}
