#pragma once
#include <QString>

namespace quillane {

// A remaining time in seconds as text: "1 sec", "59 sec", "1 min", "2 h 2 min" ("2 u 2 min" in Dutch);
// "—" for a negative, infinite, NaN or absurdly large value.
QString durationText(double seconds);

}  // namespace quillane
