#pragma once
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Detection/MediaTypes.h"

namespace quillane {

// One file of a card.
struct ScannedFile {
    // Below the scanned root, "/"-separated, no leading "/".
    std::string relativePath;
    // As the file system reports it; 0 when it reports none.
    std::int64_t size = 0;
    std::optional<std::chrono::system_clock::time_point> modificationDate = std::nullopt;
    std::optional<std::chrono::system_clock::time_point> creationDate = std::nullopt;

    bool operator==(const ScannedFile&) const = default;
};

// A first-level group of a card, as the source column shows it.
struct TopLevelEntry {
    std::string name;
    bool isDirectory = false;
    // Sum of the included files below it (or of the file itself).
    std::int64_t bytes = 0;
    int fileCount = 0;

    const std::string& id() const { return name; }
    bool operator==(const TopLevelEntry&) const = default;
};

// A scanned card.
struct SourceScan {
    std::filesystem::path root;
    CopyMode mode = CopyMode::entireCard;
    std::vector<ScannedFile> files;
    // Relative paths of the folders to create.
    std::vector<std::string> directories;
    std::int64_t totalBytes = 0;
    int videoFileCount = 0;
    std::vector<TopLevelEntry> topLevel;
    // 16 lower-case hex digits that identify the card's content.
    std::string fingerprint;
    // Files left out by the video-only mode.
    int skippedFileCount = 0;

    int fileCount() const { return static_cast<int>(files.size()); }
    bool operator==(const SourceScan&) const = default;
};

}  // namespace quillane
