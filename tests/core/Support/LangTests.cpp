#include <gtest/gtest.h>

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
