#include <gtest/gtest.h>

#include "HistorySamples.h"
#include "Settings/AppSettings.h"
#include "Settings/JSONStore.h"
#include "Template/TemplatePreset.h"
#include "support/TempDir.h"

using namespace quillane;
using namespace quillane::testing;
using Strings = std::vector<std::string>;

namespace {

std::optional<AppSettings> decode(const std::string& text) {
    const auto json = JSONCoding::parse(text);
    return json ? JSONCodec<AppSettings>::decode(*json) : std::nullopt;
}

AppSettings everythingChanged() {
    AppSettings s;
    s.folderTemplate = TemplatePreset::customStarter();
    s.folderTemplate.soundPattern = "{PROJECT}/SOUND/{ROLL}";
    s.dateFormat = "dd.MM.yy";
    s.defaultCameraLetter = "C";
    s.rollDigits = 4;
    s.useCardReelName = false;
    s.copyMode = CopyMode::videoOnly;
    s.includeAudioWithVideo = false;
    s.videoExtensions = {"mov", "braw"};
    s.checksum = ChecksumAlgorithm::md5;
    s.verifyAfterCopy = false;
    s.writeMHL = false;
    s.writeReport = false;
    s.mhlFormat = MHLFormat::both;
    s.askBeforeCreatingFolders = false;
    s.soundAlongWithCamera = false;
    s.ejectSourceWhenDone = true;
    s.playSoundWhenDone = false;
    s.notifications = false;
    s.phonePush = true;
    s.phonePushTopic = "crew-7f3a";
    s.language = AppLanguage::nl;
    s.recentProjects = {"Feature", "Commercial"};
    s.learnedDrives["1B2C-UUID"] = LearnedDrive{"SSD One", DriveRole::destination, at("2026-03-05T14:07:09Z")};
    s.learnedDrives["3D4E-UUID"] = LearnedDrive{"A001", DriveRole::source, at("2026-03-06T08:00:00Z")};
    s.destinationBaseFolders["1B2C-UUID"] = "Jobs/2026";
    return s;
}

}  // namespace

TEST(AppSettings, EverySettingSurvivesTheStore) {
    TempDir dir;
    const JSONStore<AppSettings> store("settings.json", dir.path());
    const AppSettings changed = everythingChanged();
    ASSERT_NE(changed.folderTemplate, AppSettings().folderTemplate);
    store.save(changed);
    EXPECT_EQ(store.load(), changed);

    // Every field takes part in equality, down to a learned date.
    AppSettings later = changed;
    later.learnedDrives["1B2C-UUID"].learnedAt += std::chrono::seconds(1);
    EXPECT_NE(later, changed);
}

TEST(AppSettings, DefaultsAreWrittenWhole) {
    const AppSettings defaults;
    EXPECT_EQ(defaults.folderTemplate, TemplatePreset::all().front().folderTemplate);
    EXPECT_EQ(defaults.videoExtensions.size(), 17u);
    const auto json = JSONCodec<AppSettings>::encode(defaults);
    EXPECT_EQ(json.size(), 24u);
    EXPECT_EQ(json["phonePushTopic"], "");
    EXPECT_TRUE(json["learnedDrives"].is_object() && json["learnedDrives"].empty());
    EXPECT_TRUE(json["destinationBaseFolders"].is_object() && json["destinationBaseFolders"].empty());
    EXPECT_EQ(json["checksum"], "xxhash64");
    EXPECT_EQ(json["copyMode"], "entireCard");
    EXPECT_EQ(decode(JSONCoding::compact(json)), defaults);
}

// A file written by hand: unknown keys, keys missing, values of the wrong type.
TEST(AppSettings, DecodesKeyByKey) {
    EXPECT_EQ(decode(R"({"language": "nl"})")->language, AppLanguage::nl);
    AppSettings dutch;
    dutch.language = AppLanguage::nl;
    EXPECT_EQ(decode(R"({"language": "nl", "somethingNew": {"x": 1}})"), dutch);

    const auto mixed = decode(R"({
        "rollDigits": "4", "checksum": "sha256", "mhlFormat": "classic", "writeMHL": 0,
        "videoExtensions": ["mov", 3], "dateFormat": null, "defaultCameraLetter": "B",
        "template": {"extraFolders": []}, "recentProjects": ["Doc"], "copyMode": "videoOnly",
        "destinationBaseFolders": {"U1": "Jobs", "U2": 5}, "phonePushTopic": "t",
        "learnedDrives": {"U1": {"name": "SSD", "role": "destination", "learnedAt": "2026-03-05T14:07:09Z"},
                          "U2": {"name": "Card", "role": "camera", "learnedAt": "2026-03-05T14:07:09Z"}}
    })");
    ASSERT_TRUE(mixed);
    const AppSettings defaults;
    EXPECT_EQ(mixed->rollDigits, 3);
    EXPECT_EQ(mixed->checksum, ChecksumAlgorithm::xxhash64);
    EXPECT_EQ(mixed->mhlFormat, MHLFormat::classic);
    EXPECT_TRUE(mixed->writeMHL);
    EXPECT_EQ(mixed->videoExtensions, defaults.videoExtensions);
    EXPECT_EQ(mixed->dateFormat, "yyyy-MM-dd");
    EXPECT_EQ(mixed->folderTemplate, defaults.folderTemplate);
    EXPECT_TRUE(mixed->learnedDrives.empty());
    EXPECT_TRUE(mixed->destinationBaseFolders.empty());
    EXPECT_EQ(mixed->defaultCameraLetter, "B");
    EXPECT_EQ(mixed->recentProjects, Strings{"Doc"});
    EXPECT_EQ(mixed->copyMode, CopyMode::videoOnly);
    EXPECT_EQ(mixed->phonePushTopic, "t");

    // Taken as stored, without range checks; a whole float is a number.
    EXPECT_EQ(decode(R"({"rollDigits": 0})")->rollDigits, 0);
    EXPECT_EQ(decode(R"({"rollDigits": 5.0})")->rollDigits, 5);
    EXPECT_EQ(decode(R"({"rollDigits": 5000000000})")->rollDigits, 5'000'000'000);  // kept for the next save
    EXPECT_EQ(decode(R"({"rollDigits": 1e300})")->rollDigits, 3);

    // Not an object: not a settings file at all.
    EXPECT_FALSE(decode("[]"));
    EXPECT_FALSE(decode("\"settings\""));
}

TEST(AppSettings, LearnedRolesAndRecentProjects) {
    const AppSettings s = everythingChanged();
    EXPECT_EQ(s.learnedRoles(), (std::map<std::string, DriveRole>{{"1B2C-UUID", DriveRole::destination},
                                                                  {"3D4E-UUID", DriveRole::source}}));

    AppSettings p;
    p.recentProjects = {"beta", "ALPHA", "gamma"};
    p.rememberProject("Alpha");
    EXPECT_EQ(p.recentProjects, (Strings{"Alpha", "beta", "gamma"}));
    p.rememberProject("alpha");
    EXPECT_EQ(p.recentProjects, (Strings{"alpha", "beta", "gamma"}));

    p.recentProjects = {"1", "2", "3", "4", "5", "6", "7", "8"};
    p.rememberProject("new");
    EXPECT_EQ(p.recentProjects, (Strings{"new", "1", "2", "3", "4", "5", "6", "7"}));
}
