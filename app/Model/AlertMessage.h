#pragma once
#include <functional>
#include <optional>
#include <string>

#include "Support/UUID.h"

namespace quillane {

// An alert over the main window: a dismiss button, and an action button when actionTitle is set.
struct AlertMessage {
    UUID id = UUID::random();
    std::string title;
    std::string message;
    std::optional<std::string> actionTitle;
    std::function<void()> action;
    // When set: whether what the alert asks about is still so. The model closes the alert once it
    // answers false (the transfer it would stop has ended, the card it would start was pulled).
    std::function<bool()> applies;

    AlertMessage() = default;
    AlertMessage(std::string title, std::string message, std::optional<std::string> actionTitle = std::nullopt,
                 std::function<void()> action = {})
        : title(std::move(title)), message(std::move(message)), actionTitle(std::move(actionTitle)),
          action(std::move(action)) {}
};

}  // namespace quillane
