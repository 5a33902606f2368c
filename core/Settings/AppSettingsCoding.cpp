// The stored form of the settings: every key always written, each read on its own.
#include <nlohmann/json.hpp>

#include "Settings/AppSettings.h"

namespace quillane {

using JSONCoding::Json;
namespace J = JSONCoding;

namespace {

// All entries or none: one bad entry drops every learned role.
std::optional<std::map<std::string, LearnedDrive>> learnedDrives(const Json& json) {
    if (!json.is_object()) return std::nullopt;
    std::map<std::string, LearnedDrive> drives;
    for (const auto& [uuid, entry] : json.items()) {
        LearnedDrive drive;
        if (!J::required(entry, "name", drive.name, J::string) ||
            !J::required(entry, "role", drive.role, J::rawValue(&DriveRoles::fromRawValue)) ||
            !J::required(entry, "learnedAt", drive.learnedAt, J::date))
            return std::nullopt;
        drives.emplace(uuid, std::move(drive));
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
    J::ifReadable(json, "template", s.folderTemplate, FolderTemplate::decode);
    J::ifReadable(json, "dateFormat", s.dateFormat, J::string);
    J::ifReadable(json, "defaultCameraLetter", s.defaultCameraLetter, J::string);
    J::ifReadable(json, "rollDigits", s.rollDigits, J::int64);
    J::ifReadable(json, "useCardReelName", s.useCardReelName, J::boolean);
    J::ifReadable(json, "copyMode", s.copyMode, J::rawValue(&CopyModes::fromRawValue));
    J::ifReadable(json, "includeAudioWithVideo", s.includeAudioWithVideo, J::boolean);
    J::ifReadable(json, "videoExtensions", s.videoExtensions, J::strings);
    J::ifReadable(json, "checksum", s.checksum, J::rawValue(&ChecksumAlgorithms::fromRawValue));
    J::ifReadable(json, "verifyAfterCopy", s.verifyAfterCopy, J::boolean);
    J::ifReadable(json, "writeMHL", s.writeMHL, J::boolean);
    J::ifReadable(json, "writeReport", s.writeReport, J::boolean);
    J::ifReadable(json, "mhlFormat", s.mhlFormat, J::rawValue(&MHLFormats::fromRawValue));
    J::ifReadable(json, "askBeforeCreatingFolders", s.askBeforeCreatingFolders, J::boolean);
    J::ifReadable(json, "soundAlongWithCamera", s.soundAlongWithCamera, J::boolean);
    J::ifReadable(json, "ejectSourceWhenDone", s.ejectSourceWhenDone, J::boolean);
    J::ifReadable(json, "playSoundWhenDone", s.playSoundWhenDone, J::boolean);
    J::ifReadable(json, "notifications", s.notifications, J::boolean);
    J::ifReadable(json, "phonePush", s.phonePush, J::boolean);
    J::ifReadable(json, "phonePushTopic", s.phonePushTopic, J::string);
    J::ifReadable(json, "language", s.language, J::rawValue(&AppLanguages::fromRawValue));
    J::ifReadable(json, "recentProjects", s.recentProjects, J::strings);
    J::ifReadable(json, "learnedDrives", s.learnedDrives, learnedDrives);
    J::ifReadable(json, "destinationBaseFolders", s.destinationBaseFolders, J::stringMap);
    return s;
}

}  // namespace quillane
