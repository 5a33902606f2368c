#include "Support/HostTimeZone.h"

#include <mutex>

namespace quillane::HostTimeZone {

std::unique_ptr<icu::TimeZone> current() {
    static std::mutex detecting;
    std::unique_ptr<icu::TimeZone> zone;
    {
        const std::lock_guard lock(detecting);
        zone.reset(icu::TimeZone::detectHostTimeZone());
    }
    if (!zone) zone.reset(icu::TimeZone::getUnknown().clone());
    return zone;
}

}  // namespace quillane::HostTimeZone
