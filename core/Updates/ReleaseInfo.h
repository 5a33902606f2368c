#pragma once
#include <optional>
#include <string>

namespace quillane {

// The newest release as the update feed describes it.
struct ReleaseInfo {
    std::string version;  // dotted numbers, "1.0.1"
    std::string url;      // the web page the release is downloaded from
    std::optional<std::string> notes;    // English
    std::optional<std::string> notesNL;  // Dutch
    std::optional<std::string> minimumSystem;

    bool operator==(const ReleaseInfo&) const = default;
};

}  // namespace quillane
