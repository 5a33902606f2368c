#include "Notifications/PhonePush.h"

#include <array>
#include <cstdint>

#include "Support/Base64.h"
#include "Support/SecureRandom.h"

namespace quillane::PhonePush {
namespace {

constexpr std::string_view alphabet = "abcdefghijkmnpqrstuvwxyz23456789";
static_assert(alphabet.size() == 32);  // a power of two: masking a random byte draws without bias
constexpr std::size_t topicLength = 20;

bool isPrintableASCII(std::string_view text) {
    for (const unsigned char c : text)
        if (c < 0x20 || c >= 0x7F) return false;
    return true;
}

}  // namespace

const std::string& defaultServer() {
    static const std::string server = "https://ntfy.sh";
    return server;
}

std::string newTopic() {
    std::array<std::uint8_t, topicLength> random{};
    SecureRandom::fill(random.data(), random.size());
    std::string topic = "quillane-";
    for (const std::uint8_t byte : random) topic += alphabet[byte & 0x1F];
    return topic;
}

std::string subscribeURL(std::string_view server, std::string_view topic) {
    std::string url(server);
    while (!url.empty() && url.back() == '/') url.pop_back();
    return url + "/" + HTTPClient::pathSegment(topic);
}

std::string titleHeader(std::string_view title) {
    // Control characters would end or split the header; they travel encoded like non-ASCII text.
    if (isPrintableASCII(title)) return std::string(title);
    return "=?UTF-8?B?" + Base64::encode(title) + "?=";
}

HTTPClient::Request request(std::string_view server, std::string_view topic, std::string_view title,
                            std::string_view body, const std::vector<std::string>& tags, bool highPriority) {
    HTTPClient::Request request;
    request.url = subscribeURL(server, topic);
    request.method = "POST";
    request.body = std::string(body);
    request.timeout = std::chrono::seconds(15);
    request.headers = {{"Content-Type", ""}, {"Expect", ""}, {"Title", titleHeader(title)}};
    if (!tags.empty()) {
        std::string joined;
        for (const std::string& tag : tags) joined += (joined.empty() ? "" : ",") + tag;
        request.headers.emplace_back("Tags", joined);
    }
    if (highPriority) request.headers.emplace_back("Priority", "high");
    return request;
}

bool send(std::string_view server, std::string_view topic, std::string_view title, std::string_view body,
          const std::vector<std::string>& tags, bool highPriority, std::chrono::milliseconds timeout) {
    if (topic.empty()) return false;
    HTTPClient::Request message = request(server, topic, title, body, tags, highPriority);
    message.timeout = timeout;
    try {
        const HTTPClient::Response response = HTTPClient::send(message);
        return response.status >= 200 && response.status <= 299;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace quillane::PhonePush
