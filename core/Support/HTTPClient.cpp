#include "Support/HTTPClient.h"

#include <curl/curl.h>
#include <openssl/crypto.h>

#include <memory>
#include <mutex>

namespace quillane::HTTPClient {
namespace {

void initialiseOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// Requests run on pool threads that may live on long after. The TLS library's state for this thread
// is let go when the exchange ends (it comes back on the next one), not whenever the thread ends.
struct ThreadStateRelease {
    ~ThreadStateRelease() { OPENSSL_thread_stop(); }
};

struct CurlDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
template <typename T>
using Owned = std::unique_ptr<T, CurlDeleter>;

struct Sink {
    std::string body;
    std::size_t cap = 0;
    bool overflowed = false;
};

std::size_t collect(char* data, std::size_t size, std::size_t count, void* context) {
    auto* sink = static_cast<Sink*>(context);
    const std::size_t bytes = size * count;
    if (sink->body.size() + bytes > sink->cap) {
        sink->overflowed = true;
        return 0;  // makes libcurl stop with a write error
    }
    sink->body.append(data, bytes);
    return bytes;
}

bool isHeaderSafe(std::string_view text) {
    for (const unsigned char c : text)
        if (c == '\r' || c == '\n' || c == '\0') return false;
    return true;
}

bool isToken(std::string_view name) {
    if (name.empty()) return false;
    for (const unsigned char c : name)
        if (c <= 0x20 || c >= 0x7F || c == ':') return false;
    return true;
}

int progress(void* context, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto* cancelled = static_cast<const std::atomic<bool>*>(context);
    return cancelled->load() ? 1 : 0;  // non-zero aborts the exchange
}

void check(CURLcode code) {
    if (code != CURLE_OK) throw Error(curl_easy_strerror(code));
}

}  // namespace

Response send(const Request& request) {
    initialiseOnce();
    if (!isWebURL(request.url)) throw Error("not an http or https URL");
    if (!isToken(request.method)) throw Error("bad request method");

    const ThreadStateRelease release;  // outlives the handle below
    Owned<CURL> handle(curl_easy_init());
    if (!handle) throw Error("libcurl could not start an exchange");
    CURL* curl = handle.get();

    Owned<curl_slist> headers;
    for (const auto& [name, value] : request.headers) {
        if (!isToken(name) || !isHeaderSafe(value)) throw Error("bad request header");
        // libcurl reads "Name:" as "don't send this header", also one it would add itself.
        const std::string line = value.empty() ? name + ":" : name + ": " + value;
        curl_slist* extended = curl_slist_append(headers.get(), line.c_str());
        if (!extended) throw Error("out of memory");
        headers.release();
        headers.reset(extended);
    }

    Sink sink;
    sink.cap = request.maxBodyBytes;
    const long timeout = static_cast<long>(request.timeout.count() > 0 ? request.timeout.count() : 1);

    check(curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str()));
    check(curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https"));
    check(curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https"));
    check(curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L));
    check(curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L));
    check(curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L));
    check(curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, timeout));
    check(curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, timeout));
    check(curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(request.maxBodyBytes)));
    check(curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &collect));
    check(curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink));
    check(curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers.get()));
    if (request.cancelled) {
        check(curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L));
        check(curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &progress));
        check(curl_easy_setopt(curl, CURLOPT_XFERINFODATA, request.cancelled));
    }
    if (request.method == "GET") {
        check(curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L));
    } else {
        check(curl_easy_setopt(curl, CURLOPT_POST, 1L));
        check(curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size())));
        check(curl_easy_setopt(curl, CURLOPT_POSTFIELDS, request.body.data()));
        // libcurl changes a POST into a GET on a 301/302/303; keep the method on every redirect.
        check(curl_easy_setopt(curl, CURLOPT_POSTREDIR, static_cast<long>(CURL_REDIR_POST_ALL)));
        if (request.method != "POST") check(curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, request.method.c_str()));
    }

    const CURLcode code = curl_easy_perform(curl);
    if (sink.overflowed || code == CURLE_FILESIZE_EXCEEDED) throw Error("the response is too large");
    if (code == CURLE_OPERATION_TIMEDOUT) throw Error(timeLimitMessage);
    check(code);

    Response response;
    check(curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &response.status));
    response.body = std::move(sink.body);
    return response;
}

bool isWebURL(std::string_view text) {
    if (text.empty() || text.size() > 8192 || !isHeaderSafe(text)) return false;
    for (const unsigned char c : text)
        if (c <= 0x20 || c >= 0x7F) return false;
    // libcurl would read "https:///path" as the host "path"; an address names its host itself.
    const std::size_t authority = text.find("://");
    if (authority == std::string_view::npos || text.substr(authority + 3, 1) == "/") return false;
    Owned<CURLU> url(curl_url());
    if (!url) return false;
    const std::string copy(text);
    if (curl_url_set(url.get(), CURLUPART_URL, copy.c_str(), 0) != CURLUE_OK) return false;
    char* scheme = nullptr;
    char* host = nullptr;
    const bool ok = curl_url_get(url.get(), CURLUPART_SCHEME, &scheme, 0) == CURLUE_OK &&
                    curl_url_get(url.get(), CURLUPART_HOST, &host, 0) == CURLUE_OK;
    const bool web = ok && scheme && host && *host != '\0' &&
                     (std::string_view(scheme) == "http" || std::string_view(scheme) == "https");
    curl_free(scheme);
    curl_free(host);
    return web;
}

std::string pathSegment(std::string_view text) {
    static constexpr char hex[] = "0123456789ABCDEF";
    // "." and ".." would step out of the segment once the path is normalised.
    const bool dotsOnly = text == "." || text == "..";
    std::string out;
    out.reserve(text.size());
    for (const unsigned char c : text) {
        const bool unreserved = (c == '.' && !dotsOnly) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                                c == '-' || c == '_' || c == '~';
        if (unreserved) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0x0F];
        }
    }
    return out;
}

}  // namespace quillane::HTTPClient
