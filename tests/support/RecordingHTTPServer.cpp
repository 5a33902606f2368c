#include "support/RecordingHTTPServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "Support/Text.h"

namespace quillane::testing {
namespace {

constexpr std::size_t maxRequestBytes = 64u << 20;

int bindLoopback(int& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) throw std::runtime_error(std::string("socket: ") + std::strerror(errno));
    const int yes = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        const int error = errno;
        ::close(fd);
        throw std::runtime_error(std::string("bind: ") + std::strerror(error));
    }
    port = ntohs(address.sin_port);
    return fd;
}

bool sendAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return std::string(text);
}

// Parses the request head (request line and headers); false when it is not HTTP.
bool parseHead(std::string_view head, RecordingHTTPServer::Request& request) {
    std::size_t lineEnd = head.find("\r\n");
    const std::string_view line = head.substr(0, lineEnd);
    const std::size_t firstSpace = line.find(' ');
    const std::size_t secondSpace = line.find(' ', firstSpace + 1);
    if (firstSpace == std::string_view::npos || secondSpace == std::string_view::npos) return false;
    request.method = std::string(line.substr(0, firstSpace));
    request.target = std::string(line.substr(firstSpace + 1, secondSpace - firstSpace - 1));
    while (lineEnd != std::string_view::npos) {
        const std::size_t start = lineEnd + 2;
        lineEnd = head.find("\r\n", start);
        const std::string_view field = head.substr(start, lineEnd == std::string_view::npos ? head.npos : lineEnd - start);
        if (field.empty()) continue;
        const std::size_t colon = field.find(':');
        if (colon == std::string_view::npos) return false;
        request.headers.emplace_back(std::string(field.substr(0, colon)), trimmed(field.substr(colon + 1)));
    }
    return true;
}

}  // namespace

std::optional<std::string> RecordingHTTPServer::Request::header(std::string_view name) const {
    for (const auto& [key, value] : headers)
        if (Text::asciiLowercased(key) == Text::asciiLowercased(name)) return value;
    return std::nullopt;
}

RecordingHTTPServer::RecordingHTTPServer(Handler handler) : handler_(std::move(handler)) {
    listenFd_ = bindLoopback(port_);
    if (::listen(listenFd_, 64) != 0 || ::pipe2(wakeFds_, O_CLOEXEC) != 0) {
        ::close(listenFd_);
        throw std::runtime_error(std::string("listen: ") + std::strerror(errno));
    }
    acceptor_ = std::thread([this] { acceptLoop(); });
}

RecordingHTTPServer::~RecordingHTTPServer() {
    {
        std::lock_guard guard(lock_);
        stopping_ = true;
    }
    changed_.notify_all();
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = ::write(wakeFds_[1], &byte, 1);
    acceptor_.join();
    for (std::thread& worker : workers_) worker.join();
    ::close(listenFd_);
    ::close(wakeFds_[0]);
    ::close(wakeFds_[1]);
}

void RecordingHTTPServer::setHandler(Handler handler) {
    std::lock_guard guard(lock_);
    handler_ = std::move(handler);
}

void RecordingHTTPServer::release() {
    {
        std::lock_guard guard(lock_);
        released_ = true;
    }
    changed_.notify_all();
}

std::string RecordingHTTPServer::url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

std::vector<RecordingHTTPServer::Request> RecordingHTTPServer::requests() const {
    std::lock_guard guard(lock_);
    return requests_;
}

bool RecordingHTTPServer::waitForRequests(std::size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock guard(lock_);
    return changed_.wait_for(guard, timeout, [&] { return requests_.size() >= count; });
}

RecordingHTTPServer::Reply RecordingHTTPServer::silence() {
    Reply reply;
    reply.silent = true;
    return reply;
}

RecordingHTTPServer::Reply RecordingHTTPServer::redirect(std::string location, int status) {
    Reply reply;
    reply.status = status;
    reply.headers.emplace_back("Location", std::move(location));
    return reply;
}

int RecordingHTTPServer::unusedPort() {
    int port = 0;
    ::close(bindLoopback(port));
    return port;
}

bool RecordingHTTPServer::waitFor(bool released) {
    std::unique_lock guard(lock_);
    changed_.wait(guard, [&] { return stopping_.load() || (released && released_); });
    return !stopping_;
}

void RecordingHTTPServer::acceptLoop() {
    for (;;) {
        pollfd fds[2] = {{listenFd_, POLLIN, 0}, {wakeFds_[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (fds[1].revents != 0 || stopping_) return;
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        ++connections_;
        std::lock_guard guard(lock_);
        workers_.emplace_back([this, fd] {
            serve(fd);
            ::close(fd);
        });
    }
}

void RecordingHTTPServer::serve(int fd) {
    std::string data;
    std::size_t headEnd = std::string::npos;
    std::size_t wanted = 0;
    char buffer[16384];
    for (;;) {
        if (headEnd == std::string::npos) {
            headEnd = data.find("\r\n\r\n");
            if (headEnd != std::string::npos) {
                Request probe;
                if (!parseHead(std::string_view(data).substr(0, headEnd), probe)) return;
                const auto length = probe.header("Content-Length");
                wanted = headEnd + 4 + (length ? std::stoull(*length) : 0);
            }
        }
        if (headEnd != std::string::npos && data.size() >= wanted) break;
        if (data.size() > maxRequestBytes || stopping_) return;
        pollfd fds[2] = {{fd, POLLIN, 0}, {wakeFds_[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) <= 0 || fds[1].revents != 0) return;
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        data.append(buffer, static_cast<std::size_t>(n));
    }

    Request request;
    parseHead(std::string_view(data).substr(0, headEnd), request);
    request.body = data.substr(headEnd + 4, wanted - headEnd - 4);
    Handler handler;
    {
        std::lock_guard guard(lock_);
        requests_.push_back(request);
        handler = handler_;
    }
    changed_.notify_all();

    const Reply reply = handler ? handler(request) : Reply{};
    if (reply.silent) {
        waitFor(false);
        return;
    }
    if (reply.held && !waitFor(true)) return;
    std::string response = "HTTP/1.1 " + std::to_string(reply.status) + " Status\r\n";
    for (const auto& [name, value] : reply.headers) response += name + ": " + value + "\r\n";
    response += "Content-Length: " + std::to_string(reply.body.size()) + "\r\nConnection: close\r\n\r\n";
    if (request.method != "HEAD") response += reply.body;
    sendAll(fd, response);
}

}  // namespace quillane::testing
