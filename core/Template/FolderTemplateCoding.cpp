// The stored form of folder templates and extra folders inside the settings file.
#include <nlohmann/json.hpp>

#include "Support/JSONCoding.h"
#include "Template/ExtraFolder.h"
#include "Template/FolderTemplate.h"

namespace quillane {
namespace {

using Json = nlohmann::json;

// The current form of an extra folder. The level is a whole 64-bit number: 2 and 2.0, not 1.5,
// "2" or true.
std::optional<ExtraFolder> readExtraFolder(const Json& json) {
    namespace J = JSONCoding;
    ExtraFolder folder;
    if (!J::required(json, "parentLevel", folder.parentLevel, J::int64) ||
        !J::required(json, "name", folder.name, J::string))
        return std::nullopt;
    return folder;
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

std::optional<FolderTemplate> FolderTemplate::decode(const Json& json) {
    namespace J = JSONCoding;
    FolderTemplate decoded;
    if (!J::required(json, "pattern", decoded.pattern, J::string)) return std::nullopt;
    J::ifReadable(json, "soundPattern", decoded.soundPattern, J::string);
    if (const Json* extras = J::member(json, "extraFolders")) {
        if (auto current = J::arrayOf(readExtraFolder)(*extras))
            decoded.extraFolders = std::move(*current);
        else if (auto legacy = readLegacyExtras(*extras, decoded.pattern))
            decoded.extraFolders = std::move(*legacy);
    }
    return decoded;
}

FolderTemplate FolderTemplate::fromJSON(const Json& json) {
    if (auto decoded = decode(json)) return std::move(*decoded);
    throw Json::type_error::create(302, "a folder template needs a string \"pattern\"", &json);
}

void to_json(Json& json, const FolderTemplate& folderTemplate) { json = folderTemplate.toJSON(); }
void from_json(const Json& json, FolderTemplate& folderTemplate) { folderTemplate = FolderTemplate::fromJSON(json); }

}  // namespace quillane
