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
