#pragma once
#include <string>

namespace quillane {

// The camera or sound recorder recognised on a card.
struct CameraMatch {
    std::string brand;     // "Sony", "Camera", "Sound recorder", ...
    std::string format;    // "XAVC", "ARRIRAW / MXF", ...
    std::string evidence;  // what gave it away, in the language current when it was recognised
    std::string token;     // upper-case brand code, the template's camera value; "SOUND" for a sound card

    // "Sony · XAVC"
    std::string label() const;
    bool isSound() const { return token == "SOUND"; }

    bool operator==(const CameraMatch&) const = default;
};

}  // namespace quillane
