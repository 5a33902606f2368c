#include <gtest/gtest.h>

#include <string>

#include "Transfer/ASCMHLWriter.h"
#include "Transfer/C4.h"

using namespace quillane;

namespace {
bool onlyBase58(const std::string& text) {
    return text.find_first_not_of("123456789ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnopqrstuvwxyz") == std::string::npos;
}
}  // namespace

TEST(C4, MatchesPublishedIdentifiers) {
    EXPECT_EQ(C4::identifier(""),
              "c459dsjfscH38cYeXXYogktxf4Cd9ibshE3BHUo6a58hBXmRQdZrAkZzsWcbWtDg5oQstpDuni4Hirj75GEmTc1sFT");
    EXPECT_EQ(C4::identifier("foo"),
              "c45xZeXwMSpqXjpDumcHMA6mhoAmGHkUo7r9WmN2UgSEQzj9KjgseaQdkEJ11fGb5S1WEENcV3q8RFWwEeVpC7Fjk2");
    EXPECT_EQ(C4::identifier("bar"),
              "c45KgBYEvEE7Yfv16JAgnUT29bon2WsYAiBFZvnKNJiQR8kya2tRtEdfD6vi8bjvmmDDrepEGmkNvk88M8NWdeV9ig");
    EXPECT_EQ(C4::identifier("alfa"),
              "c43zYcLni5LF9rR4Lg4B8h3Jp8SBwjcnyyeh4bc6gTPHndKuKdjUWx1kJPYhZxYt3zV6tQXpDs2shPsPYjgG81wZM1");
    EXPECT_EQ(C4::identifier(std::string(1, '\0')),
              "c44gXrHw1dqafC4Vo2RTmHpRK3d3x8aYXLg81BtsMBWrWgQu9n45JWDMTM5yGhR1Ug1Reo4sFi4apJe9Zmoexx9Tc9");
    EXPECT_EQ(ASCMHLWriter::c4ID("foo"), C4::identifier("foo"));
}

TEST(C4, IsAlwaysNinetyCharactersOfTheAlphabet) {
    // Digests with leading zero bits give short base-58 numbers that must be padded with "1".
    std::string input;
    int padded = 0;
    for (int i = 0; i < 3000; ++i) {
        input = "clip-" + std::to_string(i);
        const std::string id = C4::identifier(input);
        ASSERT_EQ(id.size(), 90u) << input;
        ASSERT_EQ(id.substr(0, 2), "c4");
        ASSERT_TRUE(onlyBase58(id.substr(2))) << id;
        if (id[2] == '1') ++padded;
    }
    EXPECT_GT(padded, 0);  // at least one short number was padded
}
