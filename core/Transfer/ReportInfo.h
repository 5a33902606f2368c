#pragma once
#include <optional>
#include <string>

namespace quillane::ReportWriter {

// The report's header data.
struct Info {
    std::string project;
    // Also names the report file and the page title.
    std::string roll;
    // None when the project has no shoot days.
    std::optional<int> shootDay;
    // The card's volume name.
    std::string sourceName;
    // The recognised camera or recorder, if any.
    std::optional<std::string> cameraLabel;

    bool operator==(const Info&) const = default;
};

}  // namespace quillane::ReportWriter
