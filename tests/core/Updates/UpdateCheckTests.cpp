#include <gtest/gtest.h>

#include "Support/HTTPClient.h"
#include "Updates/UpdateCheck.h"
#include "support/RecordingHTTPServer.h"
#include "support/Scopes.h"

using namespace quillane;
using namespace quillane::testing;
using namespace std::chrono_literals;

namespace {

const std::string validFeed =
    R"({"version":"1.0.2","url":"https://quillane.app/releases/1.0.2","notes":"Faster","extra":[1,2]})";

struct Fetched {
    std::optional<ReleaseInfo> release;
    std::string error;  // the text of what fetch threw
};

// An answer has all the time a loaded machine may need.
Fetched tryFetch(const std::string& url, std::chrono::milliseconds timeout = 60s) {
    try {
        return {UpdateCheck::fetch(url, timeout), {}};
    } catch (const std::exception& error) {
        return {std::nullopt, error.what()};
    }
}

}  // namespace

TEST(UpdateCheck, FetchesTheFeedAndFailsOnAnythingElse) {
    std::string deep(100000, '[');
    deep += std::string(100000, ']');
    const std::map<std::string, RecordingHTTPServer::Reply> replies = {
        {"/version.json", {200, validFeed}},
        {"/moved", RecordingHTTPServer::redirect("/version.json", 301)},
        {"/not-modified", {304, validFeed}},
        {"/error", {500, validFeed}},
        {"/malformed", {200, R"({"version":"1.0.2","url":)"}},
        {"/no-url", {200, R"({"version":"1.0.2"})"}},
        {"/file-url", {200, R"({"version":"1.0.2","url":"file:///etc/passwd"})"}},
        {"/custom-scheme", {200, R"({"version":"1.0.2","url":"quillane-update://x"})"}},
        {"/number-version", {200, R"({"version":102,"url":"https://quillane.app/"})"}},
        {"/array", {200, "[" + validFeed + "]"}},
        {"/binary", {200, std::string("\0\xff\xfe{\x01", 5)}},
        {"/huge", {200, std::string(10 << 20, ' ') + validFeed}},
        {"/deep", {200, deep}},
    };
    RecordingHTTPServer server([&](const RecordingHTTPServer::Request& request) {
        if (request.target == "/silent") return RecordingHTTPServer::silence();
        const auto found = replies.find(request.target);
        return found == replies.end() ? RecordingHTTPServer::Reply{404} : found->second;
    });

    const auto release = tryFetch(server.url("/version.json")).release;
    ASSERT_TRUE(release);
    EXPECT_EQ(*release, (ReleaseInfo{"1.0.2", "https://quillane.app/releases/1.0.2", "Faster"}));
    const auto seen = server.requests();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].method, "GET");
    EXPECT_EQ(seen[0].target, "/version.json");
    EXPECT_EQ(seen[0].header("User-Agent"), "Quillane/1.0.1");
    EXPECT_TRUE(seen[0].body.empty());

    EXPECT_TRUE(tryFetch(server.url("/moved")).release);
    for (const char* failing : {"/not-modified", "/error", "/malformed", "/no-url", "/file-url", "/custom-scheme",
                                "/number-version", "/array", "/binary", "/huge", "/deep", "/missing"}) {
        const Fetched fetched = tryFetch(server.url(failing));
        EXPECT_FALSE(fetched.release) << failing;
        EXPECT_NE(fetched.error, HTTPClient::timeLimitMessage) << failing;
    }
    // A feed that never answers ends with the time limit.
    EXPECT_EQ(tryFetch(server.url("/silent"), 50ms).error, HTTPClient::timeLimitMessage);

    // A 100 KB version decodes, and comparing it is no slower than reading it.
    const std::string longVersion(100000, '9');
    const ReleaseInfo odd = UpdateCheck::decode(R"({"version":")" + longVersion + R"(","url":"https://q.app/"})");
    EXPECT_FALSE(UpdateCheck::offer(odd, "1.0.1", "6.1.0"));
}

TEST(UpdateCheck, ComparesVersionsAndOffersWhatRunsHere) {
    struct Newer {
        const char* a;
        const char* b;
        bool newer;
    };
    const Newer comparisons[] = {
        {"1.0.10", "1.0.9", true}, {"1.10", "1.9", true},  {"1.0", "1.0.0", false}, {"1.0.0", "1.0", false},
        {"1.0.1", "1.0.1", false}, {"2", "1.99.99", true}, {"1.2b.x", "1.2", false}, {"1..3", "1.3", false},
        {"1.0.1", "99999999999999999999", true}, {"", "0", false},
    };
    for (const Newer& c : comparisons) EXPECT_EQ(UpdateCheck::isNewer(c.a, c.b), c.newer) << c.a << " vs " << c.b;
    EXPECT_EQ(UpdateCheck::parts("1.2b.x"), (std::vector<long long>{1, 2, 0}));

    struct Offer {
        const char* version;
        std::optional<std::string> minimumSystem;
        const char* system;
        bool offered;
    };
    const Offer offers[] = {
        {"1.0.1", std::nullopt, "6.1.0", false}, {"1.0.2", "15.0", "14.5.0", false},
        {"1.0.2", "14", "14.0.0", true},         {"1.0.2", std::nullopt, "6.1.0", true},
        {"1.0.0", std::nullopt, "6.1.0", false},
    };
    for (const Offer& c : offers) {
        const ReleaseInfo release{c.version, "https://q.app/", std::nullopt, std::nullopt, c.minimumSystem};
        EXPECT_EQ(UpdateCheck::offer(release, "1.0.1", c.system).has_value(), c.offered) << c.version;
    }
    EXPECT_EQ(UpdateCheck::parts(UpdateCheck::systemVersion()).size(), 3u);
}

TEST(UpdateCheck, NotesInTheCurrentLanguageOrTheOther) {
    struct Case {
        std::optional<std::string> notes, notesNL;
        AppLanguage language;
        std::optional<std::string> shown;
    };
    const Case cases[] = {
        {"en", "nl", AppLanguage::en, "en"}, {"en", "nl", AppLanguage::nl, "nl"},
        {std::nullopt, "nl", AppLanguage::en, "nl"}, {"en", std::nullopt, AppLanguage::nl, "en"},
        {std::nullopt, std::nullopt, AppLanguage::en, std::nullopt}, {"", "nl", AppLanguage::en, std::nullopt},
    };
    for (const Case& c : cases) {
        LanguageScope scope(c.language);
        const ReleaseInfo release{"1", "https://q.app/", c.notes, c.notesNL};
        EXPECT_EQ(release.localizedNotes(), c.shown);
    }
}
