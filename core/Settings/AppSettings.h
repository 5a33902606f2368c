#pragma once
#include <cstdint>
#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Detection/DriveRole.h"
#include "Detection/MediaTypes.h"
#include "Hashing/ChecksumAlgorithm.h"
#include "Settings/JSONStore.h"
#include "Support/Lang.h"
#include "Template/FolderTemplate.h"
#include "Transfer/MHLFormat.h"

namespace quillane {

// The role the user gave one drive, remembered by the volume's UUID.
struct LearnedDrive {
    std::string name;  // the volume's name when the role was learned
    DriveRole role = DriveRole::ignored;
    std::chrono::system_clock::time_point learnedAt{};

    friend bool operator==(const LearnedDrive&, const LearnedDrive&) = default;
};

// Every user setting, with its default; kept as settings.json.
struct AppSettings {
    FolderTemplate folderTemplate = defaultTemplate();  // stored as "template"
    std::string dateFormat = "yyyy-MM-dd";
    std::string defaultCameraLetter = "A";
    std::int64_t rollDigits = 3;
    bool useCardReelName = true;
    CopyMode copyMode = CopyMode::entireCard;
    bool includeAudioWithVideo = true;
    std::vector<std::string> videoExtensions = MediaTypes::defaultVideoExtensions();
    ChecksumAlgorithm checksum = ChecksumAlgorithm::xxhash64;
    bool verifyAfterCopy = true;
    bool writeMHL = true;
    bool writeReport = true;
    MHLFormat mhlFormat = MHLFormat::asc;
    bool askBeforeCreatingFolders = true;
    bool soundAlongWithCamera = true;
    bool ejectSourceWhenDone = false;
    bool playSoundWhenDone = true;
    bool notifications = true;
    bool phonePush = false;
    std::string phonePushTopic;
    AppLanguage language = AppLanguage::en;
    std::vector<std::string> recentProjects;             // most recent first, at most 8
    std::map<std::string, LearnedDrive> learnedDrives;   // by volume UUID
    std::map<std::string, std::string> destinationBaseFolders;  // by volume UUID; relative to the volume's root

    static constexpr std::size_t recentProjectLimit = 8;

    // The structure of the first preset.
    static FolderTemplate defaultTemplate();

    // The learned roles as the drive classifier takes them, by volume UUID.
    std::map<std::string, DriveRole> learnedRoles() const;
    // Puts the name first, drops other spellings of it (compared ignoring case) and keeps 8.
    void rememberProject(const std::string& name);

    friend bool operator==(const AppSettings&, const AppSettings&) = default;
};

// Lenient, key by key: a value that is missing, null or unreadable keeps its default and
// never affects another key. Only content that is not a JSON object fails.
template <>
struct JSONCodec<AppSettings> {
    static JSONCoding::Json encode(const AppSettings& settings);
    static std::optional<AppSettings> decode(const JSONCoding::Json& json);
};

}  // namespace quillane
