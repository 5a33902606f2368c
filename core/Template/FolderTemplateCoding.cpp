// The stored form of folder templates and extra folders inside the settings file.
#include <nlohmann/json.hpp>

#include "Support/JSONCoding.h"
#include "Template/ExtraFolder.h"
#include "Template/FolderTemplate.h"

namespace quillane {
namespace {

using Json = nlohmann::json;

std::optional<ExtraFolder> readExtraFolder(const Json& json) {
    if (!json.is_object()) return std::nullopt;
    const auto level = json.find("parentLevel");
    const auto name = json.find("name");
    if (level == json.end() || name == json.end() || !name->is_string()) return std::nullopt;
    // A whole 64-bit number: 2 and 2.0, not 1.5, "2" or true.
    const auto parentLevel = JSONCoding::int64(*level);
    if (!parentLevel) return std::nullopt;
    return ExtraFolder{*parentLevel, name->get<std::string>()};
}

// The current form: every element an extra-folder object.
std::optional<std::vector<ExtraFolder>> readCurrentExtras(const Json& json) {
    if (!json.is_array()) return std::nullopt;
    std::vector<ExtraFolder> folders;
    for (const auto& element : json) {
        auto folder = readExtraFolder(element);
        if (!folder) return std::nullopt;
        folders.push_back(std::move(*folder));
    }
    return folders;
}

// The older form: plain paths, usually starting with the project level, that hang below the
// project folder.
std::optional<std::vector<ExtraFolder>> readLegacyExtras(const Json& json, const std::string& pattern) {
    if (!json.is_array()) return std::nullopt;
    for (const auto& element : json)
        if (!element.is_string()) return std::nullopt;
    const auto patternLevels = FolderTemplate::segments(pattern);
    std::vector<ExtraFolder> folders;
    for (const auto& element : json) {
        auto levels = FolderTemplate::segments(element.get_ref<const std::string&>());
        if (!patternLevels.empty() && !levels.empty() && levels.front() == patternLevels.front())
            levels.erase(levels.begin());
        auto folder = FolderTemplate::fromLevels(levels).pattern;
        if (!folder.empty()) folders.push_back(ExtraFolder{0, std::move(folder)});
    }
    return folders;
}

}  // namespace

Json ExtraFolder::toJSON() const { return Json{{"parentLevel", parentLevel}, {"name", name}}; }

ExtraFolder ExtraFolder::fromJSON(const Json& json) {
    if (auto folder = readExtraFolder(json)) return *folder;
    throw Json::type_error::create(302, "an extra folder needs an integer \"parentLevel\" and a string \"name\"", &json);
}

void to_json(Json& json, const ExtraFolder& folder) { json = folder.toJSON(); }
void from_json(const Json& json, ExtraFolder& folder) { folder = ExtraFolder::fromJSON(json); }

Json FolderTemplate::toJSON() const {
    Json extras = Json::array();
    for (const auto& folder : extraFolders) extras.push_back(folder.toJSON());
    Json json{{"pattern", pattern}, {"extraFolders", std::move(extras)}};
    if (soundPattern) json["soundPattern"] = *soundPattern;
    return json;
}

FolderTemplate FolderTemplate::fromJSON(const Json& json) {
    FolderTemplate decoded;
    // Throws when the value is no object, or the pattern is missing or not a string.
    decoded.pattern = json.at("pattern").get<std::string>();
    if (const auto sound = json.find("soundPattern"); sound != json.end() && sound->is_string())
        decoded.soundPattern = sound->get<std::string>();
    if (const auto extras = json.find("extraFolders"); extras != json.end()) {
        if (auto current = readCurrentExtras(*extras))
            decoded.extraFolders = std::move(*current);
        else if (auto legacy = readLegacyExtras(*extras, decoded.pattern))
            decoded.extraFolders = std::move(*legacy);
    }
    return decoded;
}

void to_json(Json& json, const FolderTemplate& folderTemplate) { json = folderTemplate.toJSON(); }
void from_json(const Json& json, FolderTemplate& folderTemplate) { folderTemplate = FolderTemplate::fromJSON(json); }

}  // namespace quillane
