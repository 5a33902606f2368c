#pragma once
#include <string>
#include <string_view>

namespace quillane::ReportStyle {
// The report's inline style sheet, light and dark, with the verdict drawn in the colour
// variable given ("--good" or "--bad"). Ends with a line feed.
std::string sheet(std::string_view verdictColour);
}  // namespace quillane::ReportStyle
