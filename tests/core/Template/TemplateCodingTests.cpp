#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "Template/FolderTemplate.h"
#include "Template/TemplatePreset.h"

using namespace quillane;
using nlohmann::json;

namespace {
FolderTemplate decode(std::string_view text) { return json::parse(text).get<FolderTemplate>(); }
}  // namespace

TEST(TemplateCoding, WritesTheCurrentFormAndReadsItBack) {
    const FolderTemplate full = TemplatePreset::customStarter();
    const json written = full;
    EXPECT_EQ(written["pattern"], "{PROJECT}/01_FOOTAGE/{ROLL}");
    EXPECT_EQ(written["extraFolders"][1], (json{{"name", "03_AUDIO/SOUND_RECORDINGS"}, {"parentLevel", 0}}));
    EXPECT_EQ(written.get<FolderTemplate>(), full);
    EXPECT_EQ(json::parse(written.dump()).get<FolderTemplate>(), full);

    const json plain = FolderTemplate::defaultTemplate();
    EXPECT_EQ(plain, json::parse(R"({"extraFolders":[],"pattern":"{PROJECT}/FOOTAGE/{ROLL}"})"));
    EXPECT_FALSE(plain.contains("soundPattern"));

    const FolderTemplate emptySound{"{ROLL}", {{-3, "x"}}, ""};
    EXPECT_EQ(json(emptySound).get<FolderTemplate>(), emptySound);
    EXPECT_EQ(json(emptySound)["soundPattern"], "");
}

TEST(TemplateCoding, AMissingOrMalformedPatternFailsTheDecode) {
    for (const char* text : {R"({})", R"({"pattern": 3})", R"({"pattern": null, "soundPattern": "a"})", R"([])",
                             R"("pattern")", R"(null)", R"({"Pattern": "{ROLL}"})"})
        EXPECT_THROW(decode(text), json::exception) << text;
}

TEST(TemplateCoding, OtherDefectsLoseOnlyTheirOwnValue) {
    auto t = decode(R"({"pattern": "{PROJECT}/{ROLL}", "soundPattern": 7, "extraFolders": [{"parentLevel": 1, "name": "A"}]})");
    EXPECT_EQ(t, (FolderTemplate{"{PROJECT}/{ROLL}", {{1, "A"}}, std::nullopt}));

    t = decode(R"({"pattern": "p", "soundPattern": null, "extraFolders": null, "other": true})");
    EXPECT_EQ(t, (FolderTemplate{"p", {}, std::nullopt}));

    // One malformed element loses the whole list, nothing else.
    for (const char* extras : {R"([{"parentLevel": 0, "name": "ok"}, {"parentLevel": 0}])",
                               R"([{"parentLevel": "0", "name": "a"}])",
                               R"([{"parentLevel": 1.5, "name": "a"}])",
                               R"([{"parentLevel": true, "name": "a"}])",
                               R"([{"parentLevel": 9223372036854775808, "name": "a"}])",
                               R"([{"parentLevel": 0, "name": 5}])",
                               R"([{"parentLevel": 0, "name": "a"}, "b"])",
                               R"({"parentLevel": 0, "name": "a"})",
                               R"("03_AUDIO")", R"([["a"]])"}) {
        t = decode(std::string(R"({"pattern": "p/{ROLL}", "soundPattern": "s", "extraFolders": )") + extras + "}");
        EXPECT_EQ(t, (FolderTemplate{"p/{ROLL}", {}, "s"})) << extras;
    }

    t = decode(R"({"pattern": "p", "extraFolders": [{"parentLevel": -9223372036854775808, "name": "a", "x": 1},
                                                    {"parentLevel": 2.0, "name": ""}]})");
    EXPECT_EQ(t.extraFolders, (std::vector<ExtraFolder>{{INT64_MIN, "a"}, {2, ""}}));
    EXPECT_THROW(json::parse(R"({"name": "a"})").get<ExtraFolder>(), json::exception);
}

TEST(TemplateCoding, ReadsPlainExtraFolderPathsBelowTheProjectLevel) {
    auto t = decode(R"({"pattern": "{PROJECT}/FOOTAGE/{ROLL}",
                        "extraFolders": ["{PROJECT}/DOCS", "GRADE/LUTS", "{PROJECT}", " {PROJECT} / a // b ", "/", "{project}/x"]})");
    EXPECT_EQ(t.extraFolders,
              (std::vector<ExtraFolder>{{0, "DOCS"}, {0, "GRADE/LUTS"}, {0, "a/b"}, {0, "{project}/x"}}));
    EXPECT_FALSE(t.soundPattern);

    EXPECT_TRUE(decode(R"({"pattern": "{PROJECT}/FOOTAGE/{ROLL}", "extraFolders": []})").extraFolders.empty());
    // Without a root level nothing is dropped but empty paths.
    EXPECT_EQ(decode(R"({"pattern": " / ", "extraFolders": ["a/b", "/"]})").extraFolders,
              (std::vector<ExtraFolder>{{0, "a/b"}}));
}

TEST(TemplateCoding, StoredOlderTemplatesAreUpgradedToTheirPreset) {
    const auto presets = TemplatePreset::all();
    auto t = TemplatePreset::upgraded(decode(R"({"pattern": "{PROJECT}/FOOTAGE/{ROLL}"})"));
    EXPECT_EQ(t, presets[0].folderTemplate);
    EXPECT_EQ(t.soundPattern, "{PROJECT}/SOUND/{ROLL}");
    EXPECT_EQ(TemplatePreset::upgraded(decode(R"({"pattern": "{PROJECT}/DAY_{DAY}/{ROLL}", "extraFolders": []})")),
              presets[1].folderTemplate);

    // Anything that already carries more than the pattern, or another pattern, stays as stored.
    for (const char* text : {R"({"pattern": "{PROJECT}/FOOTAGE/{ROLL}", "soundPattern": ""})",
                             R"({"pattern": "{PROJECT}/FOOTAGE/{ROLL}", "extraFolders": ["{PROJECT}/DOCS"]})",
                             R"({"pattern": "{PROJECT}/FOOTAGE/{ROLL}/"})",
                             R"({"pattern": "{PROJECT}/footage/{ROLL}"})",
                             R"({"pattern": " {PROJECT}/FOOTAGE/{ROLL}"})"}) {
        const auto stored = decode(text);
        EXPECT_EQ(TemplatePreset::upgraded(stored), stored) << text;
    }
    // A legacy list whose entries all vanish leaves a bare preset pattern, which is upgraded.
    EXPECT_EQ(TemplatePreset::upgraded(decode(R"({"pattern": "{PROJECT}/FOOTAGE/{ROLL}", "extraFolders": ["{PROJECT}"]})")),
              presets[0].folderTemplate);
}
