#pragma once
#include <string>

namespace quillane {

// One piece of a folder level: literal text, or a tag key written between braces.
struct TemplatePart {
    enum class Kind { text, token };

    Kind kind = Kind::text;
    // The literal text, or the tag key without its braces.
    std::string value;

    static TemplatePart text(std::string literal) { return {Kind::text, std::move(literal)}; }
    static TemplatePart token(std::string key) { return {Kind::token, std::move(key)}; }

    bool isToken() const { return kind == Kind::token; }
    bool operator==(const TemplatePart&) const = default;
};

}  // namespace quillane
