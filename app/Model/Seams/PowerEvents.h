#pragma once
#include <functional>
#include <memory>
#include <string>

namespace quillane {

// Keeps the computer awake while it exists.
class PowerHold {
public:
    virtual ~PowerHold() = default;
};

// The system's sleep and wake, and holding it awake during a transfer.
class PowerEvents {
public:
    virtual ~PowerEvents() = default;
    // Called once by the model's start(). willSleep runs on the model's thread before the system
    // sleeps; the system waits (a bounded while) until it returns. didWake runs after waking.
    virtual void start(std::function<void()> willSleep, std::function<void()> didWake) = 0;
    // Keeps idle sleep off until the returned hold is destroyed; may return nothing.
    virtual std::unique_ptr<PowerHold> holdAwake(const std::string& reason) = 0;
};

}  // namespace quillane
