#pragma once
#include <string>

namespace quillane {

// The descriptor of one tag that a folder level may hold, such as {ROLL}.
struct TemplateToken {
    std::string key;      // the name between the braces: "PROJECT"
    std::string label;    // shown to the user, in the language current when the table was built
    std::string example;  // a sample value for the structure editor
    std::string symbol;   // the symbol image shown beside the tag

    const std::string& id() const { return key; }
    std::string placeholder() const { return "{" + key + "}"; }

    bool operator==(const TemplateToken&) const = default;
};

}  // namespace quillane
