#include "Updates/UpdateCheck.h"

#include <sys/utsname.h>

#include <algorithm>
#include <charconv>

#include "Product/Product.h"
#include "Support/JSONCoding.h"
#include "Support/HTTPClient.h"

namespace quillane::UpdateCheck {
namespace {

// Deeper nesting than any feed needs is refused before the parser sees it.
constexpr int maxNesting = 32;

bool nestsTooDeep(std::string_view text) {
    int depth = 0;
    bool inString = false;
    bool escaped = false;
    for (const char c : text) {
        if (inString) {
            if (escaped) escaped = false;
            else if (c == '\\') escaped = true;
            else if (c == '"') inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > maxNesting) return true;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return false;
}

std::optional<std::string> optionalText(const JSONCoding::Json& object, std::string_view key) {
    const JSONCoding::Json* value = JSONCoding::member(object, key);
    if (!value) return std::nullopt;
    auto text = JSONCoding::string(*value);
    if (!text) throw Error("the feed's " + std::string(key) + " is not a text");
    return text;
}

std::string requiredText(const JSONCoding::Json& object, std::string_view key) {
    auto text = optionalText(object, key);
    if (!text) throw Error("the feed has no " + std::string(key));
    return std::move(*text);
}

}  // namespace

const std::string& feedURL() {
    static const std::string url = "https://quillane.app/version.json";
    return url;
}

std::string userAgent() { return std::string(Product::name) + "/" + Product::version; }

ReleaseInfo fetch(const std::string& url, std::chrono::milliseconds timeout, const std::atomic<bool>* cancelled) {
    HTTPClient::Request request;
    request.url = url;
    request.timeout = timeout;
    request.cancelled = cancelled;
    request.headers = {{"User-Agent", userAgent()}};
    const HTTPClient::Response response = HTTPClient::send(request);
    if (response.status != 200) throw Error("the feed answered with status " + std::to_string(response.status));
    return decode(response.body);
}

ReleaseInfo decode(std::string_view body) {
    if (nestsTooDeep(body)) throw Error("the feed nests too deep");
    const auto json = JSONCoding::parse(body);
    if (!json || !json->is_object()) throw Error("the feed is not a JSON object");
    ReleaseInfo release;
    release.version = requiredText(*json, "version");
    release.url = requiredText(*json, "url");
    if (!HTTPClient::isWebURL(release.url)) throw Error("the feed's url is not a web address");
    release.notes = optionalText(*json, "notes");
    release.notesNL = optionalText(*json, "notesNL");
    release.minimumSystem = optionalText(*json, "minimumSystem");
    return release;
}

std::vector<long long> parts(std::string_view version) {
    std::vector<long long> numbers;
    std::size_t start = 0;
    while (start <= version.size()) {
        const std::size_t dot = std::min(version.find('.', start), version.size());
        const std::string_view piece = version.substr(start, dot - start);
        start = dot + 1;
        if (piece.empty()) continue;
        std::size_t digits = 0;
        while (digits < piece.size() && piece[digits] >= '0' && piece[digits] <= '9') ++digits;
        long long number = 0;
        const auto [end, error] = std::from_chars(piece.data(), piece.data() + digits, number);
        numbers.push_back(error == std::errc() && end == piece.data() + digits ? number : 0);
    }
    return numbers;
}

bool isNewer(std::string_view a, std::string_view b) {
    const auto left = parts(a);
    const auto right = parts(b);
    for (std::size_t i = 0; i < std::max(left.size(), right.size()); ++i) {
        const long long x = i < left.size() ? left[i] : 0;
        const long long y = i < right.size() ? right[i] : 0;
        if (x != y) return x > y;
    }
    return false;
}

std::optional<ReleaseInfo> offer(const ReleaseInfo& release, std::string_view currentVersion,
                                 std::string_view system) {
    if (!isNewer(release.version, currentVersion)) return std::nullopt;
    if (release.minimumSystem && isNewer(*release.minimumSystem, system)) return std::nullopt;
    return release;
}

std::string systemVersion() {
    utsname name{};
    if (::uname(&name) != 0) return "0.0.0";
    auto numbers = parts(name.release);
    numbers.resize(3, 0);
    return std::to_string(numbers[0]) + "." + std::to_string(numbers[1]) + "." + std::to_string(numbers[2]);
}

}  // namespace quillane::UpdateCheck
