#pragma once
#include <string>
#include <string_view>

namespace quillane {

struct FolderTemplate {
    // Turns any text into a safe file or folder name, never empty: path separators,
    // characters other systems forbid, and control and format characters become "-";
    // white space is trimmed at both ends, trailing dots are removed; nothing left gives "_".
    static std::string sanitize(std::string_view text);
};

}  // namespace quillane
