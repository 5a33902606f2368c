#include "Platform/DesktopFeedback.h"

#include <canberra.h>

#include <QDBusMessage>
#include <QGuiApplication>
#include <QWindow>

#include <algorithm>

#include "Product/Product.h"

namespace quillane {

namespace {
// The installed desktop entry the launcher progress is meant for.
QString launcherEntryURI() {
    return QStringLiteral("application://%1.desktop").arg(QString::fromUtf8(Product::desktopId));
}
}  // namespace

DesktopFeedback::DesktopFeedback(QDBusConnection bus) : bus_(std::move(bus)) {}

DesktopFeedback::~DesktopFeedback() {
    if (sounds_) ca_context_destroy(sounds_);
}

void DesktopFeedback::setProgress(std::optional<double> fraction) {
    if (!bus_.isConnected()) return;
    QDBusMessage update =
        QDBusMessage::createSignal("/app/quillane/Launcher", "com.canonical.Unity.LauncherEntry", "Update");
    QVariantMap properties;
    properties.insert("progress", std::clamp(fraction.value_or(0.0), 0.0, 1.0));
    properties.insert("progress-visible", fraction.has_value());
    update << launcherEntryURI() << properties;
    bus_.send(update);
}

void DesktopFeedback::requestAttention() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    // A window that is active already is left alone.
    for (QWindow* window : QGuiApplication::topLevelWindows())
        if (window->isVisible()) window->alert(0);
}

void DesktopFeedback::playSound(FeedbackSound sound) {
    if (!sounds_ && ca_context_create(&sounds_) != CA_SUCCESS) {
        sounds_ = nullptr;
        return;
    }
    // Without a sound server the call fails at once; a missing sound is no error for the crew.
    ca_context_play(sounds_, 0, CA_PROP_EVENT_ID, sound == FeedbackSound::success ? "complete" : "dialog-error",
                    CA_PROP_APPLICATION_NAME, "Quillane", nullptr);
}

}  // namespace quillane
