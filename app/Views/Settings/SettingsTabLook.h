#pragma once
#include <QString>
#include <array>

#include "Views/Settings/SettingsTab.h"

namespace quillane::SettingsTabs {

// The tabs in sidebar order.
inline constexpr std::array<SettingsTab, 3> allCases{SettingsTab::structure, SettingsTab::transfer,
                                                     SettingsTab::recognition};
// "Folder structure" / "Mappenstructuur", "Transfer", "Recognition" / "Herkenning".
QString title(SettingsTab tab);
// "folder", "arrow.left.arrow.right", "sparkles".
QString symbol(SettingsTab tab);
// "structure", "transfer", "recognition".
QString id(SettingsTab tab);

}  // namespace quillane::SettingsTabs
