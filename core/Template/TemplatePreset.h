#pragma once
#include <optional>
#include <string>
#include <vector>

#include "Template/FolderTemplate.h"

namespace quillane {

// A built-in folder structure that the user can start from.
struct TemplatePreset {
    std::string id;
    std::string name;     // in the language current when the list was built
    std::string summary;  // one line, same language
    FolderTemplate folderTemplate;
    std::optional<std::string> dateFormat;

    // "simple" (one FOOTAGE folder) and "shootday" (a folder per shoot day), built anew at
    // every call so that names follow the current language.
    static std::vector<TemplatePreset> all();
    // The starting point of a custom structure, with numbered project folders.
    static const FolderTemplate& customStarter();
    // A template stored before sound patterns and extra folders existed becomes the whole preset
    // whose pattern it has; anything else is returned unchanged.
    static FolderTemplate upgraded(const FolderTemplate& stored);

    // True when the given template is exactly this preset's structure.
    bool matches(const FolderTemplate& other) const { return folderTemplate == other; }
};

}  // namespace quillane
