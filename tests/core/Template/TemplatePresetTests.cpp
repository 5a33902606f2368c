#include <gtest/gtest.h>

#include "Support/Lang.h"
#include "Support/Dates.h"
#include "Template/TemplatePreset.h"
#include "support/Scopes.h"
#include "support/TempDir.h"

using namespace quillane;
using Levels = std::vector<std::string>;

namespace {

// The worked card: an A-camera card on shoot day 3, and the sound card of that day.
TemplateContext cameraCard() {
    return TemplateContext{"Zomercampagne", "A001", "A", Dates::fromUTC({2026, 10, 9, 12, 0, 0}), "yyyy-MM-dd", 3,
                           "SONY", "FX3_CARD"};
}
TemplateContext soundCard() {
    auto c = cameraCard();
    c.roll = "S001";
    c.cameraLetter = 'S';
    c.camera = "SOUND";
    c.card = "ZOOM F8";
    return c;
}

// Every folder a template makes for both cards, as relative paths, after creating them on disk.
std::set<std::string> createdFolders(const FolderTemplate& t) {
    quillane::testing::TempDir base("quillane-preset");
    std::vector<Levels> paths{t.resolve(cameraCard()), t.resolveSound(soundCard())};
    for (auto& extra : t.resolveExtras(cameraCard())) paths.push_back(extra);
    for (const auto& levels : paths) {
        std::filesystem::path folder = base.path();
        for (const auto& level : levels) folder /= level;
        std::filesystem::create_directories(folder);
    }
    std::set<std::string> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(base.path()))
        found.insert(entry.path().lexically_relative(base.path()).string());
    return found;
}

}  // namespace

TEST(TemplatePreset, EveryPresetBuildsTheExpectedFoldersForTheWorkedCards) {
    const auto presets = TemplatePreset::all();
    ASSERT_EQ(presets.size(), 2u);
    EXPECT_EQ(presets[0].id, "simple");
    EXPECT_EQ(createdFolders(presets[0].folderTemplate),
              (std::set<std::string>{"Zomercampagne", "Zomercampagne/FOOTAGE", "Zomercampagne/FOOTAGE/A001",
                                     "Zomercampagne/SOUND", "Zomercampagne/SOUND/S001"}));

    EXPECT_EQ(presets[1].id, "shootday");
    EXPECT_EQ(createdFolders(presets[1].folderTemplate),
              (std::set<std::string>{"Zomercampagne", "Zomercampagne/DAY_03", "Zomercampagne/DAY_03/A001",
                                     "Zomercampagne/DAY_03/SOUND", "Zomercampagne/DAY_03/SOUND/S001"}));
    for (const auto& preset : presets) {
        EXPECT_TRUE(preset.folderTemplate.extraFolders.empty());
        EXPECT_FALSE(preset.dateFormat);
        EXPECT_TRUE(preset.folderTemplate.problems().empty());
    }
    EXPECT_FALSE(presets[0].folderTemplate.uses("DAY"));
    EXPECT_TRUE(presets[1].folderTemplate.uses("DAY"));
}

TEST(TemplatePreset, CustomStarterHasNumberedProjectFolders) {
    const auto& starter = TemplatePreset::customStarter();
    EXPECT_EQ(starter.resolve(cameraCard()), (Levels{"Zomercampagne", "01_FOOTAGE", "A001"}));
    const auto sound = starter.resolveSound(soundCard());
    EXPECT_EQ(sound, (Levels{"Zomercampagne", "03_AUDIO", "SOUND_RECORDINGS", "S001"}));
    const auto extras = starter.resolveExtras(cameraCard());
    ASSERT_EQ(extras.size(), 10u);
    EXPECT_EQ(extras[0], (Levels{"Zomercampagne", "02_PROJECT"}));
    EXPECT_EQ(extras[1], Levels(sound.begin(), sound.end() - 1));  // the parent of the sound rolls
    EXPECT_EQ(extras[9], (Levels{"Zomercampagne", "06_EXPORTS"}));
    std::set<std::string> expected;
    for (const char* folder : {"", "/01_FOOTAGE", "/01_FOOTAGE/A001", "/02_PROJECT", "/03_AUDIO",
                               "/03_AUDIO/SOUND_RECORDINGS", "/03_AUDIO/SOUND_RECORDINGS/S001", "/03_AUDIO/SFX",
                               "/03_AUDIO/VOICE-OVER", "/03_AUDIO/TO_SOUND", "/03_AUDIO/FROM_SOUND", "/04_ARTWORKS",
                               "/04_ARTWORKS/FONTS", "/04_ARTWORKS/LOGOS", "/05_GRADE", "/06_EXPORTS"})
        expected.insert(std::string("Zomercampagne") + folder);
    EXPECT_EQ(createdFolders(starter), expected);
    EXPECT_TRUE(starter.problems().empty());
    EXPECT_EQ(starter.fixedFolderNames().count("SOUND_RECORDINGS"), 1u);
}

// Upgrading stored templates to their preset is proved with the stored forms, in TemplateCodingTests.
TEST(TemplatePreset, MatchingIgnoresTheDateFormat) {
    const auto presets = TemplatePreset::all();
    const auto& starter = TemplatePreset::customStarter();
    EXPECT_TRUE(presets[0].matches(presets[0].folderTemplate));
    EXPECT_FALSE(presets[0].matches(presets[1].folderTemplate));
    auto other = presets[0].folderTemplate;
    other.soundPattern = "{PROJECT}/AUDIO/{ROLL}";
    EXPECT_FALSE(presets[0].matches(other));
    auto withDate = presets[0];
    withDate.dateFormat = "yyMMdd";
    EXPECT_TRUE(withDate.matches(presets[0].folderTemplate));  // the date format plays no part
    for (const auto& preset : presets) EXPECT_FALSE(preset.matches(starter));
    EXPECT_EQ(TemplatePreset::upgraded(starter), starter);
}

TEST(TemplatePreset, NamesFollowTheLanguageAndTemplatesDoNot) {
    quillane::testing::LanguageScope language{AppLanguage::en};
    const auto english = TemplatePreset::all();
    Lang::current = AppLanguage::nl;
    const auto dutch = TemplatePreset::all();
    Lang::current = AppLanguage::en;
    EXPECT_EQ(dutch[0].name, "Eén draaidag");
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_NE(dutch[i].name, english[i].name);
        EXPECT_EQ(dutch[i].id, english[i].id);
        EXPECT_EQ(dutch[i].folderTemplate, english[i].folderTemplate);
    }
}
