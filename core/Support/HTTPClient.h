#pragma once
#include <atomic>
#include <chrono>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A blocking HTTP(S) exchange over libcurl, for worker threads only (never the main thread).
// Only http and https are spoken, also after a redirect; every exchange has a time limit and a
// cap on the response body, so a server that never answers or answers without end cannot hold
// or fill the caller.
namespace quillane::HTTPClient {

struct Request {
    std::string url;
    std::string method = "GET";
    // Sent as given, in this order. A header with an empty value is sent as "Name:", which
    // removes a header libcurl would add by itself ("Expect:", "Content-Type:").
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
    std::chrono::milliseconds timeout{15000};
    std::size_t maxBodyBytes = 1 << 20;
    // When set and it turns true, the exchange gives up (within about a second).
    const std::atomic<bool>* cancelled = nullptr;
};

struct Response {
    long status = 0;
    std::string body;
};

// Any failure before a complete response: bad URL, refused connection, time-out, a redirect to
// another scheme, a body over the cap, a header that would break the request.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The Error's text when the time limit ran out first.
inline constexpr const char* timeLimitMessage = "no complete answer within the time limit";

// Performs the exchange; redirects are followed (at most 10). Throws Error.
Response send(const Request& request);

// True for an absolute http or https URL with a host.
bool isWebURL(std::string_view text);

// The text as one URL path segment: every byte but the unreserved ones (A–Z a–z 0–9 - . _ ~)
// percent-encoded, so "/" and spaces stay inside the segment; "." and ".." are encoded too.
std::string pathSegment(std::string_view text);

}  // namespace quillane::HTTPClient
