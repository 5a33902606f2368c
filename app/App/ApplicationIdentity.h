#pragma once

namespace quillane::ApplicationIdentity {

// Names the running program the way its installed desktop entry does: application name and version, the
// desktop file name (the Wayland app id; on X11 the window class is the application name, which the entry
// gives as its StartupWMClass), and the product mark as the windows' icon. Call once the QApplication exists.
void apply();

}  // namespace quillane::ApplicationIdentity
