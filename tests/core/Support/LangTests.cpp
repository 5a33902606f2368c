#include <gtest/gtest.h>

#include "Support/Counts.h"
#include "Support/Lang.h"
#include "support/Scopes.h"

using namespace quillane;

TEST(Lang, StartsEnglishAndChoosesByCurrentLanguage) {
    quillane::testing::LanguageScope language;
    EXPECT_EQ(Lang::current.load(), AppLanguage::en);
    EXPECT_EQ(L("Klaar", "Done"), "Done");
    Lang::current = AppLanguage::nl;
    EXPECT_EQ(L("Klaar", "Done"), "Klaar");
    Lang::current = AppLanguage::en;
}

TEST(Lang, RawValuesAndLabels) {
    EXPECT_EQ(AppLanguages::fromRawValue("nl"), AppLanguage::nl);
    EXPECT_FALSE(AppLanguages::fromRawValue("NL"));
    EXPECT_FALSE(AppLanguages::fromRawValue("de"));
    EXPECT_EQ(AppLanguages::label(AppLanguage::nl), "NL");
    EXPECT_EQ(AppLanguages::id(AppLanguage::en), "en");
}

TEST(Lang, CountsAgreeWithTheirWords) {
    const CountWords missing{{"kaart ontbreekt", "kaarten ontbreken"}, {"card is missing", "cards are missing"}};
    struct Case {
        std::int64_t count;
        AppLanguage language;
        const char* text;
    };
    const Case cases[] = {
        {1, AppLanguage::en, "1 card is missing"}, {1, AppLanguage::nl, "1 kaart ontbreekt"},
        {0, AppLanguage::en, "0 cards are missing"}, {1'000'001, AppLanguage::nl, "1000001 kaarten ontbreken"},
    };
    for (const Case& c : cases) EXPECT_EQ(countText(c.count, missing, c.language), c.text);
    quillane::testing::LanguageScope language(AppLanguage::nl);
    EXPECT_EQ(countText(1, missing), "1 kaart ontbreekt") << "the current language when none is given";
}
