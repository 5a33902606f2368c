#pragma once
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "Template/FolderTemplate.h"

namespace quillane {

// An example card path of a structure, levels joined with " › ": PROJECT › FOOTAGE › A001.
std::string structurePath(const FolderTemplate& structure, const std::string& dateFormat,
                          std::chrono::system_clock::time_point now = std::chrono::system_clock::now());

// True when no built-in structure is exactly the given one.
bool isCustomStructure(const FolderTemplate& current);

// One card of the structure tab: a built-in structure, or the custom one (last).
struct StructureChoice {
    std::string key;  // the preset's id, or "custom"
    std::string title;
    std::string detail;
    std::string path;
    bool selected = false;
    std::optional<FolderTemplate> applies;  // what a click writes; none: a click keeps everything

    bool operator==(const StructureChoice&) const = default;
};

// The cards for the settings' current structure, texts in the current language.
std::vector<StructureChoice> structureChoices(const FolderTemplate& current, const std::string& dateFormat,
                                              std::chrono::system_clock::time_point now =
                                                  std::chrono::system_clock::now());

// Whether the structure cards stand one under the other: when side by side, each at its narrowest
// and `spacing` apart, they would not fit in `width`.
bool choiceCardsStacked(int width, const std::vector<int>& narrowest, int spacing);

// One entry of a picker under "More options": the stored value and the text shown.
struct PickerItem {
    std::string value;
    std::string text;

    bool operator==(const PickerItem&) const = default;
};

std::vector<PickerItem> cameraLetterItems();  // A to J: "A  (A001, A002 …)"
std::vector<PickerItem> dateFormatItems();    // three formats, fixed examples

}  // namespace quillane
