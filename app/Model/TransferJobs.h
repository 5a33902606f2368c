#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Support/UUID.h"
#include "Transfer/SourceScan.h"

namespace quillane {

// A card waiting in the queue.
struct QueueItem {
    UUID id = UUID::random();
    std::string sourceID;
    std::string sourceName;
    std::string roll;
    SourceScan scan;
    std::optional<std::filesystem::path> subfolder;
};

// The job being transferred or paused.
struct RunningJob {
    std::string project;
    std::string roll;
    int shootDay = 1;
    std::string sourceID;
    std::string sourceName;
    std::optional<std::string> camera;  // the camera's label
    std::string fingerprint;            // of the card's scan
    std::vector<ScannedFile> files;
    std::vector<std::string> path;  // folder levels of the roll folder below the destination base
};

}  // namespace quillane
