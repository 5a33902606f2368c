#include "Detection/CameraMatch.h"

namespace quillane {

std::string CameraMatch::label() const { return brand + " \u00B7 " + format; }

}  // namespace quillane
