#include <gtest/gtest.h>

#include <random>

#include "Support/Text.h"
#include "Template/FolderTemplate.h"

using namespace quillane;

TEST(Sanitize, ReplacesTrimsAndNeverGivesEmpty) {
    EXPECT_EQ(FolderTemplate::sanitize("a\tb"), "a-b");
    EXPECT_EQ(FolderTemplate::sanitize("  name.. "), "name");
    EXPECT_EQ(FolderTemplate::sanitize("con"), "con");
    EXPECT_EQ(FolderTemplate::sanitize("."), "_");
    EXPECT_EQ(FolderTemplate::sanitize("..."), "_");
    EXPECT_EQ(FolderTemplate::sanitize(" "), "_");
    EXPECT_EQ(FolderTemplate::sanitize(""), "_");
    EXPECT_EQ(FolderTemplate::sanitize(".hidden"), ".hidden");
    EXPECT_EQ(FolderTemplate::sanitize("a ."), "a ");
    EXPECT_EQ(FolderTemplate::sanitize("CAM:01?"), "CAM-01-");
    EXPECT_EQ(FolderTemplate::sanitize("a/b\\c*d\"e<f>g|h"), "a-b-c-d-e-f-g-h");
    EXPECT_EQ(FolderTemplate::sanitize("../../etc"), "..-..-etc");
    EXPECT_EQ(FolderTemplate::sanitize("Zomer{#}%"), "Zomer{#}%");
    EXPECT_EQ(FolderTemplate::sanitize("a\u200Bb"), "a-b");
}

TEST(Sanitize, AnyBytesGiveOneSafeValidComponent) {
    std::mt19937 rng(9);
    for (int i = 0; i < 2000; ++i) {
        std::string s;
        for (int n = rng() % 24; n > 0; --n) s += static_cast<char>(rng() % 256);
        const std::string safe = FolderTemplate::sanitize(s);
        EXPECT_FALSE(safe.empty());
        EXPECT_TRUE(Text::isValidUtf8(safe));
        EXPECT_EQ(safe.find('/'), std::string::npos);
        EXPECT_EQ(safe.find('\0'), std::string::npos);
        EXPECT_NE(safe, ".");
        EXPECT_NE(safe, "..");
    }
}
