#include "Settings/AppSettings.h"

#include <algorithm>

#include "Support/Text.h"
#include "Template/TemplatePreset.h"

namespace quillane {

FolderTemplate AppSettings::defaultTemplate() {
    const auto presets = TemplatePreset::all();
    return presets.empty() ? FolderTemplate::defaultTemplate() : presets.front().folderTemplate;
}

std::map<std::string, DriveRole> AppSettings::learnedRoles() const {
    std::map<std::string, DriveRole> roles;
    for (const auto& [uuid, drive] : learnedDrives) roles.emplace(uuid, drive.role);
    return roles;
}

void AppSettings::rememberProject(const std::string& name) {
    std::erase_if(recentProjects, [&](const std::string& known) { return Text::caseInsensitiveEqual(known, name); });
    recentProjects.insert(recentProjects.begin(), name);
    if (recentProjects.size() > recentProjectLimit) recentProjects.resize(recentProjectLimit);
}

}  // namespace quillane
