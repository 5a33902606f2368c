#include <gtest/gtest.h>

#include "Support/HTTPClient.h"
#include "support/RecordingHTTPServer.h"

using namespace quillane;
using namespace quillane::testing;
using namespace std::chrono_literals;

namespace {

struct Outcome {
    long status = 0;    // 0: HTTPClient::Error
    std::string body;
    std::string error;  // its text
};

Outcome attempt(const HTTPClient::Request& request) {
    try {
        const auto response = HTTPClient::send(request);
        return {response.status, response.body, {}};
    } catch (const HTTPClient::Error& error) {
        return {0, {}, error.what()};
    }
}

}  // namespace

TEST(HTTPClient, FollowsOnlyWebRedirectsAndCapsTimeAndSize) {
    RecordingHTTPServer server([&](const RecordingHTTPServer::Request& request) -> RecordingHTTPServer::Reply {
        if (request.target == "/moved") return RecordingHTTPServer::redirect("/final");
        if (request.target == "/to-file") return RecordingHTTPServer::redirect("file:///etc/passwd");
        if (request.target == "/loop") return RecordingHTTPServer::redirect("/loop");
        if (request.target == "/big") return {200, std::string((1 << 20) + 1, 'x')};
        if (request.target == "/cap") return {200, std::string(1 << 20, 'x')};
        if (request.target == "/silent") return RecordingHTTPServer::silence();
        return {200, "final"};
    });
    struct Case {
        std::string target;
        long status;
        std::size_t bodySize;
        std::chrono::milliseconds timeout;
    };
    // An answer has all the time a loaded machine may need; only the silent server meets the limit.
    const Case cases[] = {
        {"/moved", 200, 5, 60s}, {"/to-file", 0, 0, 60s},       {"/loop", 0, 0, 60s},
        {"/big", 0, 0, 60s},     {"/cap", 200, 1 << 20, 60s}, {"/silent", 0, 0, 50ms},
    };
    for (const Case& c : cases) {
        HTTPClient::Request request;
        request.url = server.url(c.target);
        request.timeout = c.timeout;
        const Outcome outcome = attempt(request);
        EXPECT_EQ(outcome.status, c.status) << c.target;
        EXPECT_EQ(outcome.body.size(), c.bodySize) << c.target;
        EXPECT_EQ(outcome.error == HTTPClient::timeLimitMessage, c.target == "/silent")
            << c.target << ": " << outcome.error;
    }

    // Nothing is sent for a URL of another scheme, a closed port fails, a header can't be split.
    const std::size_t before = server.connectionCount();
    for (const std::string url : {"file:///etc/passwd", "ftp://127.0.0.1/x", "http://", "not a url"}) {
        HTTPClient::Request request;
        request.url = url;
        EXPECT_EQ(attempt(request).status, 0) << url;
    }
    HTTPClient::Request split;
    split.url = server.url("/x");
    split.headers = {{"Title", "a\r\nInjected: yes"}};
    EXPECT_EQ(attempt(split).status, 0);
    EXPECT_EQ(server.connectionCount(), before);

    HTTPClient::Request closed;
    closed.url = "http://127.0.0.1:" + std::to_string(RecordingHTTPServer::unusedPort()) + "/";
    EXPECT_EQ(attempt(closed).status, 0);
}

TEST(HTTPClient, WebURLsAndPathSegments) {
    struct Case {
        const char* text;
        bool web;
    };
    const Case urls[] = {
        {"https://quillane.app/download", true}, {"http://127.0.0.1:8080/x?y=1", true},
        {"file:///Users/x", false},              {"javascript:alert(1)", false},
        {"https://", false},                     {"https:///path", false},
        {"quillane://open", false},              {"//host/path", false},
        {"https://host/a b", false},             {"", false},
    };
    for (const Case& c : urls) EXPECT_EQ(HTTPClient::isWebURL(c.text), c.web) << c.text;

    const std::pair<const char*, const char*> segments[] = {
        {"quillane-abc23", "quillane-abc23"}, {"a/b c", "a%2Fb%20c"}, {"..", "%2E%2E"},
        {"a..b", "a..b"},                     {"é?#", "%C3%A9%3F%23"},
    };
    for (const auto& [text, encoded] : segments) EXPECT_EQ(HTTPClient::pathSegment(text), encoded) << text;
}
