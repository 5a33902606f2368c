#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <limits>

#include "Support/Lang.h"
#include "Support/Dates.h"
#include "Template/FolderTemplate.h"
#include "support/Scopes.h"

using namespace quillane;
using Levels = std::vector<std::string>;
using Part = TemplatePart;

namespace {

// Runs a block with a language and puts English back afterwards.
using quillane::testing::LanguageScope;

using quillane::testing::TimeZoneScope;

TemplateContext card() {
    TemplateContext c;
    c.project = "Zomercampagne";
    c.roll = "A001";
    c.cameraLetter = "A";
    c.date = Dates::fromUTC({2026, 10, 9, 12, 0, 0});
    c.dateFormat = "yyyy-MM-dd";
    c.day = 1;
    c.camera = "SONY";
    c.card = "FX3_CARD";
    return c;
}

}  // namespace

TEST(FolderTemplate, SplitsPatternsIntoLevels) {
    EXPECT_EQ(FolderTemplate::segments("/{PROJECT}//FOOTAGE/ /{ROLL}/"), (Levels{"{PROJECT}", "FOOTAGE", "{ROLL}"}));
    EXPECT_EQ(FolderTemplate::segments("{PROJECT}/ FOOTAGE\t/{ROLL}"), (Levels{"{PROJECT}", "FOOTAGE", "{ROLL}"}));
    EXPECT_TRUE(FolderTemplate::segments("").empty());
    EXPECT_TRUE(FolderTemplate::segments(" / \u00A0 /").empty());
    // Line breaks are no white space here: the level stays and resolves to a dash.
    EXPECT_EQ(FolderTemplate::segments("a/\n"), (Levels{"a", "\n"}));
    EXPECT_EQ(FolderTemplate::resolve("\n", card()), "-");
}

TEST(FolderTemplate, SplitsLevelsIntoPartsAndJoinsThemBack) {
    EXPECT_EQ(FolderTemplate::parts("DAY_{DAY}"), (std::vector{Part::text("DAY_"), Part::token("DAY")}));
    EXPECT_EQ(FolderTemplate::parts("{ROLL}_{CAM}"),
              (std::vector{Part::token("ROLL"), Part::text("_"), Part::token("CAM")}));
    EXPECT_EQ(FolderTemplate::parts("ab{cd"), (std::vector{Part::text("ab{cd")}));
    EXPECT_EQ(FolderTemplate::parts("x{A}y{b"), (std::vector{Part::text("x"), Part::token("A"), Part::text("y{b")}));
    EXPECT_EQ(FolderTemplate::parts("{{ROLL}}"), (std::vector{Part::token("{ROLL"), Part::text("}")}));
    EXPECT_EQ(FolderTemplate::parts("{}"), (std::vector{Part::token("")}));
    EXPECT_EQ(FolderTemplate::parts("{ roll }"), (std::vector{Part::token(" roll ")}));
    EXPECT_TRUE(FolderTemplate::parts("").empty());
    EXPECT_NE(Part::text("ROLL"), Part::token("ROLL"));

    for (std::string level : {"DAY_{DAY}", "{ROLL}_{CAM}", "ab{cd", "{}", "plain", "{{ROLL}}"})
        EXPECT_EQ(FolderTemplate::segment(FolderTemplate::parts(level)), level) << level;
    // A joined level never splits into two.
    EXPECT_EQ(FolderTemplate::segment({Part::text("a/b"), Part::token("ROLL")}), "a-b{ROLL}");
}

TEST(FolderTemplate, ResolvesOneLevel) {
    auto c = card();
    EXPECT_EQ(FolderTemplate::resolve("{ROLL}_{CAM}", c), "A001_A");
    EXPECT_EQ(FolderTemplate::resolve("{ROLL}.", c), "A001");  // the final pass removes the exposed dot
    EXPECT_EQ(FolderTemplate::resolve("{FOO}", c), "{FOO}");
    EXPECT_EQ(FolderTemplate::resolve("{roll}", c), "{roll}");  // keys are case-sensitive
    EXPECT_EQ(FolderTemplate::resolve("{A:B}", c), "{A-B}");
    EXPECT_EQ(FolderTemplate::resolve("{}", c), "{}");
    EXPECT_EQ(FolderTemplate::resolve("{CAMERA} {CARD}", c), "SONY FX3_CARD");
    c.project = "";
    EXPECT_EQ(FolderTemplate::resolve("{PROJECT}", c), "_");
    c.card = "CAM:01?";
    EXPECT_EQ(FolderTemplate::resolve("{CARD}", c), "CAM-01-");
    c.card = "A/B";
    EXPECT_EQ(FolderTemplate::resolve("{CARD}", c), "A-B");
    c.roll = "..";
    EXPECT_EQ(FolderTemplate::resolve("{ROLL}", c), "_");
    c.roll = " A001 ";
    EXPECT_EQ(FolderTemplate::resolve("x{ROLL} ", c), "xA001");
}

TEST(FolderTemplate, ShootDayHasAtLeastTwoDigitsAndStartsAtOne) {
    auto c = card();
    const std::pair<std::int64_t, std::string> cases[] = {
        {1, "DAY_01"}, {12, "DAY_12"}, {123, "DAY_123"}, {0, "DAY_01"}, {-7, "DAY_01"},
        {std::numeric_limits<std::int64_t>::min(), "DAY_01"},
        {std::numeric_limits<std::int64_t>::max(), "DAY_9223372036854775807"}};
    for (const auto& [day, expected] : cases) {
        c.day = day;
        EXPECT_EQ(FolderTemplate::resolve("DAY_{DAY}", c), expected) << day;
    }
}

TEST(FolderTemplate, DatesUseFixedLocaleAndTheSystemTimeZone) {
    LanguageScope dutch(AppLanguage::nl);  // the app language does not change month names
    auto c = card();
    {
        TimeZoneScope utc("UTC");
        EXPECT_EQ(c.value("DATE"), "2026-10-09");
        c.dateFormat = "dd/MM/yyyy";
        EXPECT_EQ(FolderTemplate::resolve("{DATE}", c), "09-10-2026");
        c.dateFormat = "d MMMM yyyy, EEEE";
        EXPECT_EQ(c.value("DATE"), "9 October 2026, Friday");
        c.dateFormat = "yyyyMMdd'_'HHmm";
        EXPECT_EQ(c.value("DATE"), "20261009_1200");
    }
    {
        TimeZoneScope tokyo("Asia/Tokyo");
        c.date = Dates::fromUTC({2026, 10, 9, 20, 30, 0});
        c.dateFormat = "yyyy-MM-dd HH:mm";
        EXPECT_EQ(c.value("DATE"), "2026-10-10 05:30");
    }
    // A pattern that prints nothing still gives the level a name.
    c.dateFormat = "";
    EXPECT_EQ(FolderTemplate::resolve("{DATE}", c), "_");
    EXPECT_FALSE(c.value("date").has_value());
}

TEST(FolderTemplate, TagTableFollowsTheLanguage) {
    LanguageScope english(AppLanguage::en);
    const auto tokens = FolderTemplate::tokens();
    Levels keys;
    for (const auto& token : tokens) keys.push_back(token.id());
    EXPECT_EQ(keys, (Levels{"PROJECT", "ROLL", "DAY", "DATE", "CAM", "CAMERA", "CARD"}));
    EXPECT_EQ(tokens[2].placeholder(), "{DAY}");
    LanguageScope dutch(AppLanguage::nl);
    EXPECT_EQ(FolderTemplate::token("DAY")->label, "Draaidag");
    EXPECT_FALSE(FolderTemplate::token("day"));
}

TEST(FolderTemplate, DescribesItsLevelsTagsAndFixedFolders) {
    FolderTemplate t{"{PROJECT}/FOOTAGE/{ROLL}", {{0, "02_project/{CAM}"}}, std::nullopt};
    EXPECT_EQ(t.levels(), (Levels{"{PROJECT}", "FOOTAGE", "{ROLL}"}));
    EXPECT_EQ(t.soundLevels(), t.levels());
    EXPECT_TRUE(t.containsRoll());
    EXPECT_EQ(t.rollSegmentIndex(), 2u);
    EXPECT_TRUE(t.uses("CAM"));
    EXPECT_FALSE(t.uses("DAY"));
    EXPECT_EQ(t.fixedFolderNames(), (std::set<std::string>{"FOOTAGE", "02_PROJECT"}));

    t.soundPattern = "{PROJECT}/DAY_{DAY}/sound/{ROLL}";
    EXPECT_TRUE(t.uses("DAY"));  // only in the sound pattern
    EXPECT_EQ(t.fixedFolderNames(), (std::set<std::string>{"FOOTAGE", "SOUND", "02_PROJECT"}));

    FolderTemplate extrasOnly{"{PROJECT}/{ROLL}", {{0, "DAY_{DAY}"}}, std::nullopt};
    EXPECT_TRUE(extrasOnly.uses("DAY"));
    EXPECT_TRUE(extrasOnly.fixedFolderNames().empty());

    FolderTemplate lower{"{PROJECT}/{roll}", {}, std::nullopt};
    EXPECT_FALSE(lower.containsRoll());
    EXPECT_FALSE(lower.rollSegmentIndex());
}

TEST(FolderTemplate, ReportsProblemsInTheCurrentLanguage) {
    EXPECT_EQ((FolderTemplate{" / ", {}, std::nullopt}.problems()), (Levels{"There's no folder yet."}));
    EXPECT_EQ((FolderTemplate{"{PROJECT}/FOOTAGE", {}, std::nullopt}.problems()),
              (Levels{"Add a Roll — otherwise all cards end up in the same folder."}));
    FolderTemplate unknown{"{PROJECT}/{X}/{ROLL}/{}", {{0, "{X}/a"}}, "{Y}/{ROLL}"};
    EXPECT_EQ(unknown.problems(), (Levels{"Unknown tag {X}.", "Unknown tag {}.", "Unknown tag {X}."}));
    EXPECT_TRUE((FolderTemplate{"{PROJECT}/{DATE}_{CAMERA}/{ROLL}", {}, "no roll"}.problems().empty()));

    LanguageScope dutch(AppLanguage::nl);
    EXPECT_EQ((FolderTemplate{"", {}, std::nullopt}.problems()), (Levels{"Er is nog geen map."}));
}

TEST(FolderTemplate, ResolvesCardSoundAndExtraPaths) {
    const std::int64_t top = std::numeric_limits<std::int64_t>::max();
    FolderTemplate t{"{PROJECT}/01_FOOTAGE/{ROLL}",
                     {{0, "02_PROJECT"}, {1, "EXTRA"}, {5, "X"}, {top, "Y/{CAM}"}, {-1, "ROOT"},
                      {std::numeric_limits<std::int64_t>::min(), "LOW"}, {0, ""}, {0, "/"}, {0, "."}},
                     std::nullopt};
    const auto c = card();
    EXPECT_EQ(t.resolve(c), (Levels{"Zomercampagne", "01_FOOTAGE", "A001"}));
    EXPECT_EQ(t.resolveSound(c), t.resolve(c));
    EXPECT_EQ(t.resolveExtras(c), (std::vector<Levels>{{"Zomercampagne", "02_PROJECT"},
                                                       {"Zomercampagne", "01_FOOTAGE", "EXTRA"},
                                                       {"Zomercampagne", "01_FOOTAGE", "A001", "X"},
                                                       {"Zomercampagne", "01_FOOTAGE", "A001", "Y", "A"},
                                                       {"ROOT"},
                                                       {"LOW"},
                                                       {"Zomercampagne", "_"}}));
    EXPECT_TRUE((FolderTemplate{"", {}, std::nullopt}.resolve(c).empty()));
}

TEST(FolderTemplate, EqualityAndConstructionFromLevels) {
    const FolderTemplate a{"p/{ROLL}", {{0, "x"}, {0, "y"}}, std::nullopt};
    FolderTemplate b = a;
    EXPECT_EQ(a, b);
    std::swap(b.extraFolders[0], b.extraFolders[1]);
    EXPECT_NE(a, b);
    b = a;
    b.soundPattern = "";
    EXPECT_NE(a, b);

    const auto withoutSound = FolderTemplate::fromLevels({"{PROJECT}", " A ", "{ROLL}"}, {{1, "z"}});
    EXPECT_EQ(withoutSound.pattern, "{PROJECT}/ A /{ROLL}");
    EXPECT_EQ(withoutSound.extraFolders, (std::vector<ExtraFolder>{{1, "z"}}));
    EXPECT_FALSE(withoutSound.soundPattern);
    EXPECT_EQ(FolderTemplate::fromLevels({"a"}, {}, Levels{}).soundPattern, "");
    EXPECT_EQ(FolderTemplate::fromLevels({"a"}, {}, Levels{"s", "{ROLL}"}).soundPattern, "s/{ROLL}");

    EXPECT_EQ(FolderTemplate::defaultTemplate(), (FolderTemplate{"{PROJECT}/FOOTAGE/{ROLL}", {}, std::nullopt}));
}
