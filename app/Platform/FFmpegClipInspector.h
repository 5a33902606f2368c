#pragma once
#include <memory>
#include <vector>

#include "Model/Seams/ClipInspector.h"

namespace quillane {

class MediaInspection;

// The clip inspector of this machine: each request reads its clips with the media inspector
// (FFmpeg) on a thread of its own. Called on the model's thread.
class FFmpegClipInspector final : public ClipInspector {
public:
    FFmpegClipInspector();
    ~FFmpegClipInspector() override;  // stops and joins every inspection
    void inspect(std::vector<ScannedFile> files, std::filesystem::path folder, Done done) override;
    void stopAll() override;

private:
    std::vector<std::unique_ptr<MediaInspection>> runs_;
};

}  // namespace quillane
