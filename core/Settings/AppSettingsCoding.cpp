// The stored form of the settings: every key always written, each read on its own.
#include <nlohmann/json.hpp>

#include "Settings/AppSettings.h"

namespace quillane {

using JSONCoding::Json;
namespace J = JSONCoding;

namespace {

// Takes the value of key when it is present and readable; otherwise the field keeps what it has.
template <typename T, typename Reader>
void take(const Json& object, const char* key, T& field, Reader reader) {
    const Json* value = J::member(object, key);
    if (!value) return;
    try {
        if (auto read = reader(*value)) field = std::move(*read);
    } catch (...) {
        // A value that fails in any way keeps the default.
    }
}

template <typename Enum>
auto rawValue(std::optional<Enum> (*fromRawValue)(std::string_view)) {
    return [fromRawValue](const Json& json) -> std::optional<Enum> {
        const auto text = J::string(json);
        return text ? fromRawValue(*text) : std::nullopt;
    };
}

std::optional<FolderTemplate> folderTemplate(const Json& json) {
    try {
        return FolderTemplate::fromJSON(json);
    } catch (...) {
        return std::nullopt;
    }
}

// All entries or none: one bad entry drops every learned role.
std::optional<std::map<std::string, LearnedDrive>> learnedDrives(const Json& json) {
    if (!json.is_object()) return std::nullopt;
    std::map<std::string, LearnedDrive> drives;
    for (const auto& [uuid, entry] : json.items()) {
        const Json* name = J::member(entry, "name");
        const Json* role = J::member(entry, "role");
        const Json* learnedAt = J::member(entry, "learnedAt");
        if (!name || !role || !learnedAt) return std::nullopt;
        const auto nameText = J::string(*name);
        const auto roleText = J::string(*role);
        const auto roleValue = roleText ? DriveRoles::fromRawValue(*roleText) : std::nullopt;
        const auto date = J::date(*learnedAt);
        if (!nameText || !roleValue || !date) return std::nullopt;
        drives.emplace(uuid, LearnedDrive{*nameText, *roleValue, *date});
    }
    return drives;
}

}  // namespace

Json JSONCodec<AppSettings>::encode(const AppSettings& s) {
    Json learned = Json::object();
    for (const auto& [uuid, drive] : s.learnedDrives)
        learned[uuid] = {{"name", drive.name},
                         {"role", DriveRoles::id(drive.role)},
                         {"learnedAt", J::encodeDate(drive.learnedAt)}};
    Json bases = Json::object();
    for (const auto& [uuid, folder] : s.destinationBaseFolders) bases[uuid] = folder;

    Json json = Json::object();
    json["template"] = s.folderTemplate.toJSON();
    json["dateFormat"] = s.dateFormat;
    json["defaultCameraLetter"] = s.defaultCameraLetter;
    json["rollDigits"] = s.rollDigits;
    json["useCardReelName"] = s.useCardReelName;
    json["copyMode"] = CopyModes::id(s.copyMode);
    json["includeAudioWithVideo"] = s.includeAudioWithVideo;
    json["videoExtensions"] = s.videoExtensions;
    json["checksum"] = ChecksumAlgorithms::id(s.checksum);
    json["verifyAfterCopy"] = s.verifyAfterCopy;
    json["writeMHL"] = s.writeMHL;
    json["writeReport"] = s.writeReport;
    json["mhlFormat"] = MHLFormats::id(s.mhlFormat);
    json["askBeforeCreatingFolders"] = s.askBeforeCreatingFolders;
    json["soundAlongWithCamera"] = s.soundAlongWithCamera;
    json["ejectSourceWhenDone"] = s.ejectSourceWhenDone;
    json["playSoundWhenDone"] = s.playSoundWhenDone;
    json["notifications"] = s.notifications;
    json["phonePush"] = s.phonePush;
    json["phonePushTopic"] = s.phonePushTopic;
    json["language"] = AppLanguages::id(s.language);
    json["recentProjects"] = s.recentProjects;
    json["learnedDrives"] = std::move(learned);
    json["destinationBaseFolders"] = std::move(bases);
    return json;
}

std::optional<AppSettings> JSONCodec<AppSettings>::decode(const Json& json) {
    if (!json.is_object()) return std::nullopt;
    AppSettings s;
    take(json, "template", s.folderTemplate, folderTemplate);
    take(json, "dateFormat", s.dateFormat, J::string);
    take(json, "defaultCameraLetter", s.defaultCameraLetter, J::string);
    take(json, "rollDigits", s.rollDigits, J::int64);
    take(json, "useCardReelName", s.useCardReelName, J::boolean);
    take(json, "copyMode", s.copyMode, rawValue(&CopyModes::fromRawValue));
    take(json, "includeAudioWithVideo", s.includeAudioWithVideo, J::boolean);
    take(json, "videoExtensions", s.videoExtensions, J::strings);
    take(json, "checksum", s.checksum, rawValue(&ChecksumAlgorithms::fromRawValue));
    take(json, "verifyAfterCopy", s.verifyAfterCopy, J::boolean);
    take(json, "writeMHL", s.writeMHL, J::boolean);
    take(json, "writeReport", s.writeReport, J::boolean);
    take(json, "mhlFormat", s.mhlFormat, rawValue(&MHLFormats::fromRawValue));
    take(json, "askBeforeCreatingFolders", s.askBeforeCreatingFolders, J::boolean);
    take(json, "soundAlongWithCamera", s.soundAlongWithCamera, J::boolean);
    take(json, "ejectSourceWhenDone", s.ejectSourceWhenDone, J::boolean);
    take(json, "playSoundWhenDone", s.playSoundWhenDone, J::boolean);
    take(json, "notifications", s.notifications, J::boolean);
    take(json, "phonePush", s.phonePush, J::boolean);
    take(json, "phonePushTopic", s.phonePushTopic, J::string);
    take(json, "language", s.language, rawValue(&AppLanguages::fromRawValue));
    take(json, "recentProjects", s.recentProjects, J::strings);
    take(json, "learnedDrives", s.learnedDrives, learnedDrives);
    take(json, "destinationBaseFolders", s.destinationBaseFolders, J::stringMap);
    return s;
}

}  // namespace quillane
