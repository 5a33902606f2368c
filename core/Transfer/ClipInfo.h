#pragma once
#include <optional>
#include <string>

namespace quillane {

// What the media inspection found out about one clip; every fact may be missing.
struct ClipInfo {
    std::optional<double> duration;  // seconds
    std::optional<int> width;        // pixels
    std::optional<int> height;       // pixels
    std::optional<double> fps;       // nominal frame rate
    std::optional<std::string> codec;
    std::optional<std::string> thumbnailJPEG;  // JPEG bytes of a small frame

    // The known facts joined by " · ": "0:01:16 · 1920×1080 · 25 fps · ProRes 422 HQ";
    // empty when nothing is known.
    std::string summary() const;

    bool operator==(const ClipInfo&) const = default;
};

}  // namespace quillane
