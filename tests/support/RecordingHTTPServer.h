#pragma once
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace quillane::testing {

// A real HTTP/1.1 server on 127.0.0.1 (a free port), for tests of code that talks to web
// services. It records every request it receives and answers through a handler that the test
// sets; a reply can be held back until the test lets it go, or never come (a silent server). One thread per connection;
// the destructor interrupts every wait and joins them.
class RecordingHTTPServer {
public:
    using Headers = std::vector<std::pair<std::string, std::string>>;

    struct Request {
        std::string method;
        std::string target;  // as sent: path and query
        Headers headers;     // in the order received
        std::string body;
        // The first header of that name, compared without letter case.
        std::optional<std::string> header(std::string_view name) const;
    };

    struct Reply {
        Reply() = default;
        Reply(int status, std::string body = {}) : status(status), body(std::move(body)) {}
        int status = 200;
        std::string body;
        Headers headers;
        bool held = false;    // sent only once release() is called
        bool silent = false;  // never answer; the connection stays open until the server ends
    };

    using Handler = std::function<Reply(const Request&)>;

    // With no handler every request gets 200 and an empty body.
    explicit RecordingHTTPServer(Handler handler = {});
    ~RecordingHTTPServer();
    RecordingHTTPServer(const RecordingHTTPServer&) = delete;
    RecordingHTTPServer& operator=(const RecordingHTTPServer&) = delete;

    void setHandler(Handler handler);
    // Sends the held replies, and from now on every reply at once.
    void release();

    int port() const { return port_; }
    // "http://127.0.0.1:<port>" followed by path.
    std::string url(std::string_view path = "") const;

    std::vector<Request> requests() const;
    std::size_t connectionCount() const { return connections_.load(); }
    // Waits until at least count requests were recorded.
    bool waitForRequests(std::size_t count, std::chrono::milliseconds timeout) const;

    // A reply that never comes.
    static Reply silence();
    // A redirect reply to location.
    static Reply redirect(std::string location, int status = 302);
    // A port on 127.0.0.1 where nothing listens (bound once and released).
    static int unusedPort();

private:
    void acceptLoop();
    void serve(int fd);
    // Waits until the server ends or, when released is set, until release() too; false when it ends.
    bool waitFor(bool released);

    int listenFd_ = -1;
    int wakeFds_[2] = {-1, -1};
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    bool released_ = false;
    std::atomic<std::size_t> connections_{0};
    mutable std::mutex lock_;
    mutable std::condition_variable changed_;
    Handler handler_;
    std::vector<Request> requests_;
    std::vector<std::thread> workers_;
    std::thread acceptor_;
};

}  // namespace quillane::testing
