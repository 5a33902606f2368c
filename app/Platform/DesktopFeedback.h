#pragma once
#include <QDBusConnection>

#include "Model/Seams/Feedback.h"

struct ca_context;

namespace quillane {

// The signs outside the window on Linux: the transfer's progress on the launcher icon
// (com.canonical.Unity.LauncherEntry, shown by docks and panels that read it), a request for
// attention on the application's windows, and the desktop's event sounds (libcanberra).
class DesktopFeedback final : public Feedback {
public:
    explicit DesktopFeedback(QDBusConnection bus = QDBusConnection::sessionBus());
    ~DesktopFeedback() override;
    DesktopFeedback(const DesktopFeedback&) = delete;
    DesktopFeedback& operator=(const DesktopFeedback&) = delete;

    void setProgress(std::optional<double> fraction) override;
    void requestAttention() override;
    void playSound(FeedbackSound sound) override;

private:
    QDBusConnection bus_;
    ca_context* sounds_ = nullptr;
};

}  // namespace quillane
