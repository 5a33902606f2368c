#pragma once
#include <optional>

namespace quillane {

enum class FeedbackSound { success, failure };

// The small signs outside the window: progress on the launcher icon, a request for attention,
// a sound at the end of a transfer.
class Feedback {
public:
    virtual ~Feedback() = default;
    // The running transfer's fraction (0...1) on the launcher icon; nothing clears it.
    virtual void setProgress(std::optional<double> fraction) = 0;
    virtual void requestAttention() = 0;
    virtual void playSound(FeedbackSound sound) = 0;
};

}  // namespace quillane
