#include "Views/StructureEditor/FolderVariable.h"

#include "Support/Lang.h"

namespace quillane {

const std::vector<FolderVariable>& FolderVariable::all() {
    static const std::vector<FolderVariable> table{
        {"Projectnaam", "Project name", "{PROJECT}", "film"},
        {"Draaidag (DAY_01)", "Shoot day (DAY_01)", "DAY_{DAY}", "calendar.day.timeline.left"},
        {"Datum", "Date", "{DATE}", "calendar"},
        {"Draaidag + datum", "Shoot day + date", "DAY_{DAY}_{DATE}", "calendar.badge.clock"},
        {"Camera (A_CAM)", "Camera (A_CAM)", "{CAM}_CAM", "video"},
        {"Cameramerk", "Camera brand", "{CAMERA}", "camera"},
    };
    return table;
}

const FolderVariable* FolderVariable::match(std::string_view pattern) {
    for (const auto& variable : all())
        if (variable.pattern == pattern) return &variable;
    return nullptr;
}

std::string FolderVariable::title() const { return L(nl, en); }

std::string FolderVariable::shortLabel() const {
    std::string full = title();
    const auto cut = full.find(" (");
    if (cut != std::string::npos) full.resize(cut);
    return full;
}

}  // namespace quillane
