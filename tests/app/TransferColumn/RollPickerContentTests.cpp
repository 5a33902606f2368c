#include <gtest/gtest.h>

#include "Views/TransferColumn/RollPickerContent.h"

using namespace quillane;
using Strings = std::vector<std::string>;

TEST(RollPicker, PathTapeAndMenuButton) {
    const Strings planned{"Feature", "Day 01", "A002"};
    const Strings running{"Feature", "Day 01", "A001"};
    const Strings repeated{"Day", "Day", "A001"};
    struct Case {
        const char* name;
        const Strings* running;
        Strings target;
        bool isRunning;
        RollPickerContent expected;
    };
    const Case cases[] = {
        {"planned", nullptr, planned, false, {{"Feature", "Day 01"}, "A002", true}},
        {"a running job keeps its own path", &running, planned, true, {{"Feature", "Day 01"}, "A001", false}},
        {"equal names both shown", nullptr, repeated, false, {{"Day", "Day"}, "A001", true}},
        {"one segment", nullptr, {"A001"}, false, {{}, "A001", true}},
        {"empty path", nullptr, {}, false, {{}, std::nullopt, true}},
    };
    for (const Case& c : cases) EXPECT_EQ(rollPicker(c.running, c.target, c.isRunning), c.expected) << c.name;
}

TEST(RollPicker, PathWidthsCutTheLongestNamesFirst) {
    using Widths = std::vector<double>;
    struct Case {
        const char* name;
        Widths natural;
        double available;
        Widths expected;
    };
    const Case cases[] = {
        {"all fit", {120, 40, 80}, 300, {120, 40, 80}},
        {"exactly fit", {120, 40, 80}, 240, {120, 40, 80}},
        {"only the longest gives way", {200, 40, 60}, 200, {100, 40, 60}},
        {"the two longest share alike", {200, 150, 40}, 240, {100, 100, 40}},
        {"a short name keeps its letters", {300, 36, 250, 36}, 272, {100, 36, 100, 36}},
        {"never below the least width", {300, 200}, 20, {30, 30}},
        {"a name shorter than the least stays whole", {300, 12}, 20, {30, 12}},
    };
    for (const Case& c : cases) EXPECT_EQ(rollPathWidths(c.natural, c.available, 30), c.expected) << c.name;
}
