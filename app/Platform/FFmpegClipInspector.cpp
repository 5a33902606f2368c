#include "Platform/FFmpegClipInspector.h"

#include <algorithm>

#include "Platform/MediaInspection.h"

namespace quillane {

FFmpegClipInspector::FFmpegClipInspector() = default;

FFmpegClipInspector::~FFmpegClipInspector() { stopAll(); }

void FFmpegClipInspector::inspect(std::vector<ScannedFile> files, std::filesystem::path folder, Done done) {
    std::erase_if(runs_, [](const std::unique_ptr<MediaInspection>& run) { return run->finished(); });
    runs_.push_back(std::make_unique<MediaInspection>(std::move(files), std::move(folder), std::move(done)));
}

void FFmpegClipInspector::stopAll() {
    for (auto& run : runs_) run->stop();
    runs_.clear();  // each joins its worker
}

}  // namespace quillane
