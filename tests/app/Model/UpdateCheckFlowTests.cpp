#include <gtest/gtest.h>

#include "support/RecordingHTTPServer.h"
#include "support/Scopes.h"
#include "support/app/ModelHarness.h"

namespace quillane {
namespace {

using testing::LanguageScope;
using testing::ModelHarness;
using testing::RecordingHTTPServer;

const ReleaseInfo earlier("1.0.5", "https://quillane.app/1.0.5");

TEST(UpdateCheckFlow, OffersNewerReleasesAndAlertsOnlyWhenAsked) {
    LanguageScope language(AppLanguage::en);
    struct Case {
        bool manual;
        RecordingHTTPServer::Reply reply;
        std::optional<std::string> alertTitle, alertMessage;
        std::optional<ReleaseInfo> offer;
        bool showUpdate;
    };
    const std::string newer = R"({"version":"1.0.2","url":"https://quillane.app/1.0.2","notes":"New"})";
    const std::string same = R"({"version":"1.0.1","url":"https://quillane.app/1.0.1"})";
    const std::string fileURL = R"({"version":"9.0","url":"file:///etc/passwd"})";
    const ReleaseInfo offered("1.0.2", "https://quillane.app/1.0.2", "New");
    const Case cases[] = {
        {false, {500, newer}, std::nullopt, std::nullopt, earlier, false},
        {true, {500, newer}, "Updates", "Couldn't check for updates. Are you online?", earlier, false},
        {true, {200, fileURL}, "Updates", "Couldn't check for updates. Are you online?", earlier, false},
        {true, {200, same}, "No update", "You have the latest version (1.0.1).", std::nullopt, false},
        {false, {200, same}, std::nullopt, std::nullopt, std::nullopt, false},
        {true, {200, newer}, std::nullopt, std::nullopt, offered, true},
        {false, {200, newer}, std::nullopt, std::nullopt, offered, false},
    };
    for (const Case& c : cases) {
        RecordingHTTPServer server([&](const RecordingHTTPServer::Request&) { return c.reply; });
        ModelHarness harness;
        harness.updateFeedURL = server.url("/version.json");
        AppModel& model = harness.make();
        model.setAvailableUpdate(earlier);
        model.checkForUpdates(c.manual);
        harness.drain();
        EXPECT_EQ(server.requests().size(), 1u);
        ASSERT_EQ(model.alert().has_value(), c.alertTitle.has_value()) << c.manual << " " << c.reply.body;
        if (c.alertTitle) {
            EXPECT_EQ(model.alert()->title, *c.alertTitle);
            EXPECT_EQ(model.alert()->message, *c.alertMessage);
        }
        EXPECT_EQ(model.availableUpdate(), c.offer) << c.manual << " " << c.reply.body;
        EXPECT_EQ(model.showUpdate(), c.showUpdate);
    }
}

TEST(UpdateCheckFlow, DownloadOpensTheReleasePageAndClosesTheDetails) {
    ModelHarness harness;
    AppModel& model = harness.make();
    model.downloadUpdate();
    EXPECT_TRUE(harness.desktop->pages.empty());
    model.setAvailableUpdate(earlier);
    model.setShowUpdate(true);
    model.downloadUpdate();
    EXPECT_EQ(harness.desktop->pages, std::vector<std::string>{earlier.url});
    EXPECT_FALSE(model.showUpdate());
    EXPECT_EQ(model.availableUpdate(), earlier);
}

TEST(UpdateCheckFlow, AModelThatGoesStopsWaitingForTheFeed) {
    RecordingHTTPServer server([](const RecordingHTTPServer::Request&) { return RecordingHTTPServer::silence(); });
    ModelHarness harness(/*runWorkAtOnce=*/false);
    harness.updateFeedURL = server.url("/version.json");
    // A feed that never answers, read with no time limit that could run out during the test: only
    // the model's going can end the read, and the reader below returns at all only then.
    harness.timings.updateFeedTimeout = std::chrono::hours(24);
    harness.make().checkForUpdates(true);
    std::thread reader([&] { harness.work->runAll(); });
    ASSERT_TRUE(server.waitForRequests(1, std::chrono::minutes(5)));
    harness.destroy();
    reader.join();
}

}  // namespace
}  // namespace quillane
