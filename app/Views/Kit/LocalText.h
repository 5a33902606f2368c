#pragma once
#include <QString>

#include <string_view>

#include "Support/Lang.h"

namespace quillane {

// L() for the views: the Dutch or the English text, in the current language, as a QString.
inline QString lq(std::string_view nl, std::string_view en) { return QString::fromStdString(L(nl, en)); }

}  // namespace quillane
