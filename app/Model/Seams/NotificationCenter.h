#pragma once
#include <optional>
#include <string>

namespace quillane {

enum class NotificationKind { success, failure, info };

// Tells the crew about a finished, failed or paused transfer: a desktop notification when
// enabled, and a phone push when a topic is set.
class NotificationCenter {
public:
    virtual ~NotificationCenter() = default;
    // Set by the model from the settings at construction and on every settings change.
    virtual void setSwitches(bool enabled, std::optional<std::string> phoneTopic) = 0;
    // Asks for permission to notify, where the desktop needs that; the answer is not used.
    virtual void requestPermission() = 0;
    // Returns at once.
    virtual void post(const std::string& title, const std::string& body, NotificationKind kind) = 0;
};

}  // namespace quillane
