#include "Views/Kit/DurationText.h"

#include <cmath>
#include <cstdint>

#include "Support/Lang.h"
#include "Views/Kit/LocalText.h"

namespace quillane {

QString durationText(double seconds) {
    // Beyond about 292 billion years the whole seconds no longer fit in 64 bits: treat as unknown.
    if (!std::isfinite(seconds) || seconds < 0 || seconds >= 9.2e18) return QStringLiteral("—");
    const auto s = static_cast<std::int64_t>(std::round(seconds));  // halves away from zero
    if (s < 60) return QStringLiteral("%1 sec").arg(std::max<std::int64_t>(s, 1));
    if (s < 3600) return QStringLiteral("%1 min").arg(s / 60);
    return QStringLiteral("%1 %2 %3 min").arg(s / 3600).arg(lq("u", "h")).arg((s % 3600) / 60);
}

}  // namespace quillane
