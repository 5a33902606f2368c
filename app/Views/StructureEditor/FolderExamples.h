#pragma once
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillane {

// The sample folder names the tree editor shows: a pattern filled in for an A-camera card of the
// current project, shoot day and date format.
struct FolderExamples {
    std::string projectName;  // empty: a stand-in name in the current language
    std::string dateFormat = "yyyy-MM-dd";
    std::int64_t shootDay = 1;
    std::chrono::system_clock::time_point now = std::chrono::system_clock::now();

    // One level filled in and made safe as a folder name: "{CAM}_CAM" gives "A_CAM".
    std::string example(std::string_view segment) const;
};

}  // namespace quillane
