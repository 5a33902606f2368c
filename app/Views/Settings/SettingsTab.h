#pragma once

namespace quillane {

// The tabs of the settings window, in sidebar order.
enum class SettingsTab { structure, transfer, recognition };

}  // namespace quillane
