#include "App/WindowSizes.h"

#include <algorithm>

namespace quillane {

QSize settingsWindowSize(const std::optional<QRect>& screenArea) {
    if (!screenArea || screenArea->isEmpty()) return {1240, 840};
    return {std::min(screenArea->width() - 80, 1240), std::min(screenArea->height() - 60, 900)};
}

}  // namespace quillane
