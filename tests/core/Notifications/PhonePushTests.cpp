#include <gtest/gtest.h>

#include <set>

#include "Notifications/PhonePush.h"
#include "support/RecordingHTTPServer.h"

using namespace quillane;
using namespace quillane::testing;
using namespace std::chrono_literals;

TEST(PhonePush, PostsTheMessageWithTheRelayHeaders) {
    int status = 200;
    RecordingHTTPServer server([&](const RecordingHTTPServer::Request&) { return RecordingHTTPServer::Reply{status}; });
    struct Case {
        std::string title;
        std::vector<std::string> tags;
        bool high;
        std::string topic;
        std::string target;
        std::string titleHeader;
        std::optional<std::string> tagsHeader, priority;
    };
    const Case cases[] = {
        {"Transfer done", {"white_check_mark"}, false, "quillane-abc", "/quillane-abc", "Transfer done",
         "white_check_mark", std::nullopt},
        {"Transfer mislukt", {"warning"}, true, "t", "/t", "Transfer mislukt", "warning", "high"},
        {"Café 🎬", {"pause_button"}, false, "t", "/t", "=?UTF-8?B?Q2Fmw6kg8J+OrA==?=", "pause_button", std::nullopt},
        {"Line\r\nX-Evil: 1", {}, false, "t", "/t", "=?UTF-8?B?TGluZQ0KWC1FdmlsOiAx?=", std::nullopt, std::nullopt},
        {"A", {"a", "b"}, false, "a/b c", "/a%2Fb%20c", "A", "a,b", std::nullopt},
    };
    for (const Case& c : cases) {
        const std::size_t before = server.requests().size();
        EXPECT_TRUE(PhonePush::send(server.url(), c.topic, c.title, "Roll A001 ✓", c.tags, c.high, 60s)) << c.title;
        const auto seen = server.requests();
        ASSERT_EQ(seen.size(), before + 1);
        const auto& request = seen.back();
        EXPECT_EQ(request.method, "POST");
        EXPECT_EQ(request.target, c.target);
        EXPECT_EQ(request.body, "Roll A001 ✓");
        EXPECT_EQ(request.header("Title"), c.titleHeader);
        EXPECT_EQ(request.header("Tags"), c.tagsHeader);
        EXPECT_EQ(request.header("Priority"), c.priority);
        EXPECT_FALSE(request.header("Content-Type"));
        EXPECT_FALSE(request.header("Expect"));
        EXPECT_FALSE(request.header("X-Evil"));
    }

    // 201 is accepted; 404, a closed port and a relay that never answers are not.
    status = 201;
    EXPECT_TRUE(PhonePush::send(server.url("/"), "t", "T", "", {}, false, 60s));
    status = 404;
    EXPECT_FALSE(PhonePush::send(server.url(), "t", "T", "", {}, false, 60s));
    const std::string closed = "http://127.0.0.1:" + std::to_string(RecordingHTTPServer::unusedPort());
    EXPECT_FALSE(PhonePush::send(closed, "t", "T", "", {}, false, 60s));
    RecordingHTTPServer silent([](const RecordingHTTPServer::Request&) { return RecordingHTTPServer::silence(); });
    EXPECT_FALSE(PhonePush::send(silent.url(), "t", "T", "", {}, false, 50ms));

    // An empty topic never connects.
    const std::size_t connections = server.connectionCount();
    EXPECT_FALSE(PhonePush::send(server.url(), "", "T", "body", {}, false));
    EXPECT_EQ(server.connectionCount(), connections);
}

TEST(PhonePush, TopicsAndSubscribeAddresses) {
    const std::string alphabet = "abcdefghijkmnpqrstuvwxyz23456789";
    std::set<std::string> topics;
    std::set<char> used;
    for (int i = 0; i < 200; ++i) {
        const std::string topic = PhonePush::newTopic();
        ASSERT_EQ(topic.size(), 29u);
        ASSERT_EQ(topic.substr(0, 9), "quillane-");
        for (const char c : topic.substr(9)) {
            ASSERT_NE(alphabet.find(c), std::string::npos) << topic;
            used.insert(c);
        }
        topics.insert(topic);
    }
    EXPECT_EQ(topics.size(), 200u);
    EXPECT_EQ(used.size(), alphabet.size());  // 4000 draws reach every symbol

    EXPECT_EQ(PhonePush::subscribeURL("https://ntfy.sh", "quillane-x"), "https://ntfy.sh/quillane-x");
    EXPECT_EQ(PhonePush::subscribeURL("https://ntfy.sh/", "a b/c"), "https://ntfy.sh/a%20b%2Fc");
    EXPECT_TRUE(HTTPClient::isWebURL(PhonePush::subscribeURL(PhonePush::defaultServer(), PhonePush::newTopic())));
}
