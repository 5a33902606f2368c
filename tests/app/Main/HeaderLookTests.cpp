#include <gtest/gtest.h>

#include "Views/Main/HeaderLook.h"
#include "Views/Main/SheetLook.h"
#include "support/QtPrinters.h"
#include "support/Scopes.h"

using namespace quillane;
using quillane::testing::LanguageScope;

TEST(HeaderLook, PartsFollowTheModel) {
    struct Case {
        const char* name;
        HeaderFacts facts;
        bool pickerEnabled, demoButton, demoBadge, updatePill, shootDay;
    };
    const std::vector<Case> cases = {
        {"idle", {"Feature", false, DemoState::off, false, false}, true, true, false, true, false},
        {"running", {"Feature", true, DemoState::off, false, true}, false, true, false, true, true},
        {"demo starting", {"PROJECTNAME", false, DemoState::starting, false, false}, true, false, true, true, false},
        {"demo on", {"PROJECTNAME", false, DemoState::on, false, false}, true, false, true, true, false},
        {"demo stopping", {"PROJECTNAME", false, DemoState::stopping, false, false}, true, false, true, true, false},
        {"marketing shot", {"PROJECTNAME", false, DemoState::on, true, true}, true, false, false, false, true},
    };
    for (const Case& c : cases) {
        const HeaderLook state = headerLook(c.facts);
        EXPECT_EQ(state.pickerEnabled, c.pickerEnabled) << c.name;
        EXPECT_EQ(state.demoButtonEnabled, c.pickerEnabled) << c.name;
        EXPECT_EQ(state.demoButton, c.demoButton) << c.name;
        EXPECT_EQ(state.demoBadge, c.demoBadge) << c.name;
        EXPECT_EQ(state.updatePill, c.updatePill) << c.name;
        EXPECT_EQ(state.shootDayPill, c.shootDay) << c.name;
    }
}

TEST(HeaderLook, ProjectPickerPlaceholder) {
    struct Case {
        AppLanguage language;
        const char* project;
        const char* text;
        Tone tone;
    };
    const std::vector<Case> cases = {
        {AppLanguage::en, "", "Choose project", Tone::secondary},
        {AppLanguage::en, "<b>Feature</b>", "<b>Feature</b>", Tone::text},
    };
    for (const Case& c : cases) {
        LanguageScope language(c.language);
        const HeaderLook state = headerLook({c.project, false, DemoState::off, false, false});
        EXPECT_EQ(state.pickerText, c.text);
        EXPECT_EQ(state.pickerTone, c.tone);
    }
}

TEST(HeaderPills, ShootDayIsZeroPaddedAndStopsAtOne) {
    struct Case {
        int day;
        bool running;
        const char* text;
        bool minus, enabled;
    };
    const std::vector<Case> cases = {
        {1, false, "01", false, true}, {2, false, "02", true, true}, {9, false, "09", true, true},
        {10, true, "10", true, false}, {120, false, "120", true, true},
    };
    for (const Case& c : cases) {
        const ShootDayPillLook state = shootDayPillLook(c.day, c.running);
        EXPECT_EQ(state.value, c.text);
        EXPECT_EQ(state.minusEnabled, c.minus) << c.day;
        EXPECT_EQ(state.enabled, c.enabled) << c.day;
    }
}

TEST(HeaderPills, LanguageSegmentsDutchFirstWithTheCurrentOneMarked) {
    for (AppLanguage current : AppLanguages::allCases) {
        const auto segments = languageSegments(current);
        ASSERT_EQ(segments.size(), 2u);
        EXPECT_EQ(segments[0].label, "NL");
        EXPECT_EQ(segments[1].label, "EN");
        EXPECT_EQ(segments[0].current, current == AppLanguage::nl);
        EXPECT_EQ(segments[1].current, current == AppLanguage::en);
    }
}

TEST(HeaderPills, DemoBadgeSpinsWhileTheDemoComesOrGoes) {
    struct Case {
        DemoState demo;
        bool running;
        bool spinner, stopEnabled;
    };
    const std::vector<Case> cases = {
        {DemoState::starting, false, true, true},
        {DemoState::on, false, false, true},
        {DemoState::on, true, false, false},
        {DemoState::stopping, false, true, true},
    };
    for (const Case& c : cases) {
        const DemoBadgeLook state = demoBadgeLook(c.demo, c.running);
        EXPECT_EQ(state.spinner, c.spinner);
        EXPECT_EQ(state.stopEnabled, c.stopEnabled);
    }
}

TEST(UpdateDetails, TextsNotesAndWarning) {
    struct Case {
        AppLanguage language;
        std::optional<std::string> notes;
        bool running;
        const char* title;
        const char* using_;
    };
    const std::vector<Case> cases = {
        {AppLanguage::en, "Faster verification.", false, "Quillane 1.0.2 is available", "You're using 1.0.1."},
        {AppLanguage::nl, std::nullopt, true, "Quillane 1.0.2 is er", "Je gebruikt nu 1.0.1."},
    };
    for (const Case& c : cases) {
        LanguageScope language(c.language);
        const UpdateDetailsText details = updateDetailsText("1.0.2", c.notes, c.running);
        EXPECT_EQ(details.title, c.title);
        EXPECT_EQ(details.title, updateOfferText("1.0.2"));
        EXPECT_EQ(details.using_, c.using_);
        EXPECT_EQ(details.notes.has_value(), c.notes.has_value());
        EXPECT_EQ(details.warning.has_value(), c.running);
        EXPECT_FALSE(details.hint.contains("Applications") || details.hint.contains("Programma"));
    }
}

TEST(ProjectSheetLook, StartCancelAndRecentProjects) {
    struct Case {
        const char* name;
        std::string typed, project;
        std::vector<std::string> recent;
        bool start, cancel;
        std::size_t listed;
    };
    const std::vector<std::string> seven = {"P1", "P2", "P3", "P4", "P5", "P6", "P7"};
    const std::vector<Case> cases = {
        {"first start", "", "", {}, false, false, 0},
        {"typing enables Start", "Feature", "", {}, true, false, 0},
        {"spaces and tabs only", " \t  ", "", {}, false, false, 0},
        {"spaces around a name", "  Feature ", "Old", seven, true, true, 5},
        {"a project already set", "", "Old", {"Old"}, false, true, 1},
    };
    for (const Case& c : cases) {
        const ProjectSheetLook state = projectSheetLook(c.typed, c.project, c.recent);
        EXPECT_EQ(state.startEnabled, c.start) << c.name;
        EXPECT_EQ(state.cancelShown, c.cancel) << c.name;
        EXPECT_EQ(state.dismissable, c.cancel) << c.name;
        EXPECT_EQ(state.recent.size(), c.listed) << c.name;
    }
    EXPECT_EQ(projectSheetLook("", "", seven).recent.back(), "P5");
}

// The sheets' own texts are checked on the rendered sheets; here the buttons' rule.
TEST(SheetTexts, AlertButtonsNeedAnActionAndItsTitle) {
    LanguageScope english(AppLanguage::en);
    const AlertButtons two = alertButtons(std::string("Transfer again"), true);
    EXPECT_TRUE(two.hasAction);
    EXPECT_EQ(two.actionTitle, "Transfer again");
    EXPECT_EQ(two.closeTitle, "Cancel");
    for (const AlertButtons& one : {alertButtons(std::string("Go"), false), alertButtons(std::nullopt, true)}) {
        EXPECT_FALSE(one.hasAction);
        EXPECT_EQ(one.closeTitle, "OK");
    }
}
