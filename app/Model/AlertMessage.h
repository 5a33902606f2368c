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

    AlertMessage() = default;
    AlertMessage(std::string title, std::string message, std::optional<std::string> actionTitle = std::nullopt,
                 std::function<void()> action = {})
        : title(std::move(title)), message(std::move(message)), actionTitle(std::move(actionTitle)),
          action(std::move(action)) {}
};

}  // namespace quillane
