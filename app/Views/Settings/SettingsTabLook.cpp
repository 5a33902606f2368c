#include "Views/Settings/SettingsTabLook.h"

#include "Support/Lang.h"
#include "Views/Kit/LocalText.h"

namespace quillane::SettingsTabs {

QString title(SettingsTab tab) {
    switch (tab) {
    case SettingsTab::structure: return lq("Mappenstructuur", "Folder structure");
    case SettingsTab::transfer: return QStringLiteral("Transfer");
    case SettingsTab::recognition: break;
    }
    return lq("Herkenning", "Recognition");
}

QString symbol(SettingsTab tab) {
    switch (tab) {
    case SettingsTab::structure: return QStringLiteral("folder");
    case SettingsTab::transfer: return QStringLiteral("arrow.left.arrow.right");
    case SettingsTab::recognition: break;
    }
    return QStringLiteral("sparkles");
}

QString id(SettingsTab tab) {
    switch (tab) {
    case SettingsTab::structure: return QStringLiteral("structure");
    case SettingsTab::transfer: return QStringLiteral("transfer");
    case SettingsTab::recognition: break;
    }
    return QStringLiteral("recognition");
}

}  // namespace quillane::SettingsTabs
