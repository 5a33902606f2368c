#pragma once

class QWidget;

namespace quillane {

// Windows of one fixed width (alerts, sheets, popovers) whose text wraps: the window is kept exactly
// as tall as its layout needs at that width, from the first show on and whenever its content
// changes. A window sized by its size hint would take the height of its texts laid out on one long
// line, and fixing the width afterwards cuts them.
namespace HeightForWidth {

void keep(QWidget& window, int width);
// Fits the window's height now (before it is placed, say).
void fit(QWidget& window);
// The height the window's layout needs at the given width (its size hint's height without a layout).
int needed(const QWidget& window, int width);

}  // namespace HeightForWidth

}  // namespace quillane
