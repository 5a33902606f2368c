#include <gtest/gtest.h>

#include "Support/Dates.h"
#include "Template/TemplatePreset.h"
#include "Views/StructureEditor/StructureChoices.h"
#include "support/Scopes.h"

using namespace quillane;
using quillane::testing::LanguageScope;

namespace {

const auto october9 = Dates::fromUTC({2026, 10, 9, 12, 0, 0});

// Each card as "title | path", with "*" in front of the selected one and "·" when a click keeps all.
std::vector<std::string> cards(const FolderTemplate& current, const std::string& dateFormat) {
    std::vector<std::string> out;
    for (const auto& c : structureChoices(current, dateFormat, october9))
        out.push_back(std::string(c.selected ? "*" : "") + (c.applies ? "" : "·") + c.title + " | " + c.path);
    return out;
}

}  // namespace

TEST(StructureChoices, TheCardsShowSamplePathsAndWhichStructureIsCurrent) {
    struct Case {
        std::string name;
        FolderTemplate current;
        std::string dateFormat;
        std::vector<std::string> cards;
    };
    const auto presets = TemplatePreset::all();
    auto renamed = presets[0].folderTemplate;
    renamed.pattern = "{PROJECT}/RUSHES/{ROLL}";
    const Case cases[] = {
        {"the first preset", presets[0].folderTemplate, "yyyy-MM-dd",
         {"*Single shoot day | PROJECT › FOOTAGE › A001", "Multiple shoot days | PROJECT › DAY_01 › A001",
          "Custom folder structure | PROJECT › 01_FOOTAGE › A001"}},
        {"a preset with an edit is custom, with its own path", renamed, "yyyy-MM-dd",
         {"Single shoot day | PROJECT › FOOTAGE › A001", "Multiple shoot days | PROJECT › DAY_01 › A001",
          "*·Custom folder structure | PROJECT › RUSHES › A001"}},
        {"the preset as the draft reads it back is custom too",
         {presets[0].folderTemplate.pattern, {{0, "SOUND"}}, presets[0].folderTemplate.soundPattern}, "yyyy-MM-dd",
         {"Single shoot day | PROJECT › FOOTAGE › A001", "Multiple shoot days | PROJECT › DAY_01 › A001",
          "*·Custom folder structure | PROJECT › FOOTAGE › A001"}},
        {"a date level follows the chosen format; a day inside a name shows the first day",
         {"{DATE}/{PROJECT}_{CAM}/SHOOT_{DAY}/{ROLL}", {}, std::nullopt}, "dd-MM-yyyy",
         {"Single shoot day | PROJECT › FOOTAGE › A001", "Multiple shoot days | PROJECT › DAY_01 › A001",
          "*·Custom folder structure | 09-10-2026 › PROJECT_A › SHOOT_01 › A001"}},
        {"no levels at all", {"", {}, std::nullopt}, "yyyyMMdd",
         {"Single shoot day | PROJECT › FOOTAGE › A001", "Multiple shoot days | PROJECT › DAY_01 › A001",
          "*·Custom folder structure | "}},
    };
    quillane::testing::TimeZoneScope zone("UTC");
    LanguageScope english(AppLanguage::en);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(cards(c.current, c.dateFormat), c.cards);
    }
    // What a click writes: the preset's own template, or the custom starter while a preset is chosen.
    const auto choices = structureChoices(presets[1].folderTemplate, "yyyy-MM-dd", october9);
    EXPECT_EQ(choices[0].applies, presets[0].folderTemplate);
    EXPECT_EQ(choices[2].applies, TemplatePreset::customStarter());
}

TEST(StructureChoices, PickersOfferTenLettersAndThreeDateFormats) {
    const auto letters = cameraLetterItems();
    ASSERT_EQ(letters.size(), 10u);
    EXPECT_EQ(letters.front(), (PickerItem{"A", "A  (A001, A002 …)"}));
    EXPECT_EQ(letters.back(), (PickerItem{"J", "J  (J001, J002 …)"}));
    const auto formats = dateFormatItems();
    ASSERT_EQ(formats.size(), 3u);
    for (const auto& item : formats) EXPECT_EQ(formatTemplateDate(october9, item.value), item.text) << item.value;
}
