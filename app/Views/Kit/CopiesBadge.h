#pragma once
#include <string>

namespace quillane {

// How many drives hold a verified copy of a card, as a small capsule.
struct CopiesBadgeLook {
    enum class Tint { danger, warning, accent };
    Tint tint = Tint::danger;
    std::string symbol;
    std::string text;
    friend bool operator==(const CopiesBadgeLook&, const CopiesBadgeLook&) = default;
};

CopiesBadgeLook copiesBadgeLook(int copies);

}  // namespace quillane
