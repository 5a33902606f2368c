#include "Model/SystemSpaceProbe.h"

#include <sys/statvfs.h>

#include <limits>

namespace quillane {

std::optional<std::int64_t> SystemSpaceProbe::availableBytes(const std::filesystem::path& path) const {
    struct statvfs facts {};
    if (::statvfs(path.c_str(), &facts) != 0) return std::nullopt;
    const unsigned long long blocks = facts.f_bavail;
    const unsigned long long size = facts.f_frsize != 0 ? facts.f_frsize : facts.f_bsize;
    if (size != 0 && blocks > static_cast<unsigned long long>(std::numeric_limits<std::int64_t>::max()) / size)
        return std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(blocks * size);
}

}  // namespace quillane
