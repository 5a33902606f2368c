#pragma once
#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "Support/HTTPClient.h"

// Push messages to a phone through a public publish/subscribe relay: the operator's phone
// subscribes to a private topic with a random name, and every message POSTed to
// <server>/<topic> reaches it.
namespace quillane::PhonePush {

// The relay's HTTPS base address.
const std::string& defaultServer();

// A new private topic: "quillane-" and 20 characters drawn uniformly from
// "abcdefghijkmnpqrstuvwxyz23456789" by the kernel's secure generator.
std::string newTopic();

// The address a phone subscribes to: server with the topic appended as one path segment.
std::string subscribeURL(std::string_view server, std::string_view topic);

// The publish request: POST of the body (UTF-8) to subscribeURL(server, topic), 15 s time-out,
// no Content-Type; "Title" as is when it is printable ASCII, otherwise as an RFC 2047 encoded
// word; "Tags" (joined by commas) only when there are tags; "Priority: high" only when asked.
HTTPClient::Request request(std::string_view server, std::string_view topic, std::string_view title,
                            std::string_view body, const std::vector<std::string>& tags, bool highPriority);

// Sends the message; true when the relay answered 2xx. An empty topic answers false without any
// connection; every failure (offline, time-out, refusal) is false. Blocking: call off the main thread.
bool send(std::string_view server, std::string_view topic, std::string_view title, std::string_view body,
          const std::vector<std::string>& tags, bool highPriority,
          std::chrono::milliseconds timeout = std::chrono::seconds(15));

// The "Title" header's value for a title.
std::string titleHeader(std::string_view title);

}  // namespace quillane::PhonePush
