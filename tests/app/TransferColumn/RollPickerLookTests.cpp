#include <gtest/gtest.h>

#include "Views/TransferColumn/RollPickerLook.h"

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
        RollPickerLook expected;
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
        Widths least;
        double available;
        Widths expected;
    };
    // Each level costs 20 besides its name; the folded levels' "…" is 10 wide.
    const Case cases[] = {
        {"all fit", {120, 40, 80}, {30, 30, 30}, 300, {120, 40, 80}},
        {"exactly fit", {120, 40, 80}, {30, 30, 30}, 240, {120, 40, 80}},
        {"only the longest gives way", {200, 40, 60}, {30, 30, 30}, 200, {100, 40, 60}},
        {"the two longest share alike", {200, 150, 40}, {30, 30, 30}, 240, {100, 100, 40}},
        {"a four-letter name keeps its letters", {300, 36, 250, 36}, {30, 30, 30, 30}, 272, {100, 36, 100, 36}},
        {"down to the least width, never below", {300, 200}, {30, 40}, 70, {30, 40}},
        {"a name shorter than its least stays whole", {300, 12}, {30, 30}, 42, {30, 12}},
        {"no room even so: the first level folds into a mark", {110, 90, 80, 50}, {30, 30, 30, 30}, 100,
         {10, 30, 30, 30}},
        {"and as many more as it takes", {110, 90, 80, 50}, {30, 30, 30, 30}, 60, {10, 0, 35, 35}},
        {"folding stops at the last name", {110, 90, 80}, {30, 30, 30}, 20, {10, 0, 30}},
        {"a lone name is never folded", {200}, {30}, 10, {30}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rollPathWidths({c.natural, c.least, c.available, 20, 10}), c.expected) << c.name;
}
