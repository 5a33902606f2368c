#include "Views/StructureEditor/StructureChoices.h"

#include "Support/Lang.h"
#include "Template/TemplatePreset.h"

namespace quillane {

std::string structurePath(const FolderTemplate& structure, const std::string& dateFormat,
                          std::chrono::system_clock::time_point now) {
    const TemplateContext context{"PROJECT", "A001", "A", now, dateFormat, 1, "CAM", "CARD"};
    std::string path;
    for (const auto& level : FolderTemplate::segments(structure.pattern)) {
        if (!path.empty()) path += " \u203A ";
        if (level == "{ROLL}") path += "A001";
        else if (level == "{PROJECT}") path += "PROJECT";
        else path += FolderTemplate::resolve(level, context);
    }
    return path;
}

bool isCustomStructure(const FolderTemplate& current) {
    for (const auto& preset : TemplatePreset::all())
        if (preset.matches(current)) return false;
    return true;
}

std::vector<StructureChoice> structureChoices(const FolderTemplate& current, const std::string& dateFormat,
                                              std::chrono::system_clock::time_point now) {
    std::vector<StructureChoice> choices;
    for (const auto& preset : TemplatePreset::all())
        choices.push_back({preset.id, preset.name, preset.summary,
                           structurePath(preset.folderTemplate, dateFormat, now), preset.matches(current),
                           preset.folderTemplate});
    const bool custom = isCustomStructure(current);
    choices.push_back({"custom", L("Eigen mappenstructuur", "Custom folder structure"),
                       L("Je eigen projectmap met audio, artwork, grade en exports. Met één of meerdere draaidagen.",
                         "Your own project folder with audio, artwork, grade and exports. For one or more shoot days."),
                       structurePath(custom ? current : TemplatePreset::customStarter(), dateFormat, now), custom,
                       custom ? std::nullopt : std::optional(TemplatePreset::customStarter())});
    return choices;
}

std::vector<PickerItem> cameraLetterItems() {
    std::vector<PickerItem> items;
    for (char c = 'A'; c <= 'J'; ++c) {
        const std::string letter(1, c);
        items.push_back({letter, letter + "  (" + letter + "001, " + letter + "002 \u2026)"});
    }
    return items;
}

std::vector<PickerItem> dateFormatItems() {
    return {{"yyyy-MM-dd", "2026-10-09"}, {"yyyyMMdd", "20261009"}, {"dd-MM-yyyy", "09-10-2026"}};
}

bool choiceCardsStacked(int width, const std::vector<int>& narrowest, int spacing) {
    int row = 0;
    for (const int card : narrowest) row += card + (row > 0 ? spacing : 0);
    return row > width;
}

}  // namespace quillane
