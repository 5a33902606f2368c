#include <gtest/gtest.h>

#include "App/SnapshotOptions.h"

using namespace quillane;

TEST(SnapshotOptions, ArgumentIsTheValueAfterTheFlag) {
    struct Case {
        QStringList arguments;
        std::optional<std::string> value;
    };
    const std::vector<Case> cases = {
        {{"quillane", "--snapshot", "/tmp/shots"}, "/tmp/shots"},
        {{"quillane", "--snapshot"}, std::nullopt},
        {{"quillane"}, std::nullopt},
        {{"quillane", "--snapshot", "--demo"}, "--demo"},
        {{"quillane", "--snapshot", "a", "--snapshot", "b"}, "a"},
        {{"quillane", "--snapshot=x"}, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Snapshot::argument(c.arguments, "--snapshot"), c.value) << c.arguments.join(' ').toStdString();
}

TEST(SnapshotOptions, ScriptPrecedenceAndWhatIsRead) {
    struct Case {
        QStringList extra;
        Snapshot::Script script;
        bool dutch;
    };
    using S = Snapshot::Script;
    const std::vector<Case> cases = {
        {{}, S::standard, false},
        {{"--lang", "nl"}, S::standard, true},
        {{"--lang", "en"}, S::standard, false},
        {{"--lang"}, S::standard, false},
        {{"--fake-update", "--demo", "--features"}, S::fakeUpdate, false},
        {{"--features", "--simulate"}, S::features, false},
        {{"--simulate", "--pause-test", "--lang", "nl"}, S::selfTest, true},
        {{"--unknown", "value", "--demo"}, S::standard, false},
    };
    for (const Case& c : cases) {
        const auto options = Snapshot::options(QStringList{"quillane", "--snapshot", "/tmp/d"} + c.extra);
        ASSERT_TRUE(options);
        EXPECT_EQ(options->directory, "/tmp/d");
        EXPECT_EQ(Snapshot::script(*options), c.script) << c.extra.join(' ').toStdString();
        EXPECT_EQ(options->dutch, c.dutch) << c.extra.join(' ').toStdString();
    }
    EXPECT_FALSE(Snapshot::options({"quillane", "--demo", "--snapshot"}));
    const auto staged = Snapshot::options({"q", "--snapshot", "d", "--preset", "shootday", "--project", "Feature",
                                           "--demo", "--pause-test"});
    EXPECT_EQ(staged->preset, "shootday");
    EXPECT_EQ(staged->project, "Feature");
    EXPECT_TRUE(staged->demo);
    EXPECT_TRUE(staged->pauseTest);
}
