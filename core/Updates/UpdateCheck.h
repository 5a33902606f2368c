#pragma once
#include <atomic>
#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "Updates/ReleaseInfo.h"

// Reading the version feed and deciding whether its release is offered.
namespace quillane::UpdateCheck {

// A feed that came back but can't be used: a status other than 200, or a body that is not a
// release (malformed JSON, a missing or mistyped field, a download page that is not an http(s)
// address with a host).
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The product's feed, "https://…/version.json".
const std::string& feedURL();
// "Quillane/1.0.1", the only header the request sets.
std::string userAgent();

// GETs the feed and decodes it; blocking, for a worker thread. Throws Error, or
// HTTPClient::Error when no response came (offline, time-out, a body over 1 MiB).
// A set cancelled flag ends the read early (HTTPClient::Error).
ReleaseInfo fetch(const std::string& url, std::chrono::milliseconds timeout = std::chrono::seconds(15),
                  const std::atomic<bool>* cancelled = nullptr);
// Decodes a feed body; keys other than the five fields are ignored. Throws Error.
ReleaseInfo decode(std::string_view body);

// The numbers of a dotted version: per piece its leading digits, 0 when there are none.
std::vector<long long> parts(std::string_view version);
// a is a later version than b; missing positions count as 0 ("1.0" equals "1.0.0").
bool isNewer(std::string_view a, std::string_view b);
// The release when it is newer than currentVersion and runs on system (a dotted version).
std::optional<ReleaseInfo> offer(const ReleaseInfo& release, std::string_view currentVersion,
                                 std::string_view system);
// This machine's system version as "major.minor.patch": the running kernel's release.
std::string systemVersion();

}  // namespace quillane::UpdateCheck
