#include <QTest>

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include "Views/Kit/Toggle.h"
#include "Views/Settings/DisclosureButton.h"
#include "Views/Settings/TransferSettings.h"
#include "support/OffscreenApp.h"
#include "support/Scopes.h"
#include "support/TempDir.h"
#include "support/app/ModelHarness.h"
#include "support/app/PickerChoice.h"

namespace quillane {
namespace {

struct TransferFixture : ::testing::Test {
    testing::LanguageScope english{AppLanguage::en};
    testing::ModelHarness harness;
    AppModel& model = harness.make();

    nlohmann::json stored() {
        return nlohmann::json::parse(testing::readFile(harness.store / "settings.json"), nullptr, false);
    }
    // The keys whose values differ between two stored settings.
    static std::set<std::string> changedKeys(const nlohmann::json& before, const nlohmann::json& after) {
        std::set<std::string> keys;
        for (const auto& [key, value] : after.items())
            if (!before.contains(key) || before[key] != value) keys.insert(key);
        for (const auto& [key, value] : before.items())
            if (!after.contains(key)) keys.insert(key);
        return keys;
    }
};

// Each control writes its own field to the settings file, and nothing else.
TEST_F(TransferFixture, EachControlWritesItsOneField) {
    TransferSettings tab(model, "http://127.0.0.1:9");
    testing::saveRender(tab, QStringLiteral("transfer-controls"), QSize(620, 900));
    EXPECT_FALSE(tab.advancedShown());
    tab.findChild<DisclosureButton*>(QStringLiteral("advanced"))->click();
    model.changeSettings([](AppSettings& s) { s.recentProjects = {"Alpha"}; });  // a file exists to compare
    harness.settle();
    struct Case {
        const char* control;
        int pick;  // -1: a toggle, clicked
        const char* key;
    };
    const Case cases[] = {
        {"verifyAfterCopy", -1, "verifyAfterCopy"},
        {"soundAlongWithCamera", -1, "soundAlongWithCamera"},
        {"ejectSourceWhenDone", -1, "ejectSourceWhenDone"},
        {"playSoundWhenDone", -1, "playSoundWhenDone"},
        {"notifications", -1, "notifications"},
        {"askBeforeCreatingFolders", -1, "askBeforeCreatingFolders"},
        {"copyMode", 1, "copyMode"},
        {"checksum", 1, "checksum"},
        {"mhlFormat", 2, "mhlFormat"},
    };
    for (const Case& c : cases) {
        const nlohmann::json before = stored();
        ASSERT_FALSE(before.is_discarded());
        if (c.pick < 0) {
            auto* toggle = tab.findChild<Toggle*>(QString::fromLatin1(c.control));
            const bool was = toggle->isChecked();
            QTest::mouseClick(toggle, Qt::LeftButton);
            harness.settle();
            EXPECT_NE(toggle->isChecked(), was) << c.control;
        } else {
            testing::choose(tab.findChild<Picker*>(QString::fromLatin1(c.control)), c.pick);
            harness.settle();
        }
        EXPECT_EQ(changedKeys(before, stored()), std::set<std::string>{c.key}) << c.control;
    }
    EXPECT_EQ(model.settings().copyMode, CopyMode::videoOnly);
    EXPECT_EQ(model.settings().checksum, ChecksumAlgorithm::md5);
    EXPECT_EQ(model.settings().mhlFormat, MHLFormat::both);
    // A change made elsewhere shows at once and writes nothing back.
    const nlohmann::json before = stored();
    model.changeSettings([](AppSettings& s) { s.verifyAfterCopy = true; });
    harness.settle();
    EXPECT_TRUE(tab.findChild<Toggle*>(QStringLiteral("verifyAfterCopy"))->isChecked());
    EXPECT_EQ(changedKeys(before, stored()), std::set<std::string>{"verifyAfterCopy"});
}

TEST_F(TransferFixture, TheCombinedSwitchSetsBothFields) {
    struct Case {
        bool report, mhl;
        bool shownOn;
    };
    for (const Case& c : {Case{true, false, true}, Case{false, true, true}, Case{false, false, false}}) {
        model.changeSettings([&](AppSettings& s) {
            s.writeReport = c.report;
            s.writeMHL = c.mhl;
        });
        harness.settle();
        TransferSettings tab(model, "http://127.0.0.1:9");
        auto* both = tab.findChild<Toggle*>(QStringLiteral("reportAndChecksumFile"));
        EXPECT_EQ(both->isChecked(), c.shownOn);
        for (int click = 0; click < 2; ++click) {
            QTest::mouseClick(both, Qt::LeftButton);
            harness.settle();
            EXPECT_EQ(model.settings().writeReport, both->isChecked());
            EXPECT_EQ(model.settings().writeMHL, both->isChecked());
        }
    }
}

}  // namespace
}  // namespace quillane
