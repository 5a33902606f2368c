#pragma once
#include <QRect>
#include <QSize>
#include <optional>

namespace quillane {

// The size the settings window opens at: the screen's free area less a margin, up to 1240 × 900;
// 1240 × 840 without a screen. The window's own minimum still applies on top.
QSize settingsWindowSize(const std::optional<QRect>& screenArea);

}  // namespace quillane
