#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>

namespace quillane {

// Live free space of the volume that holds a path.
class SpaceProbe {
public:
    virtual ~SpaceProbe() = default;
    // Bytes an unprivileged writer may still use; nothing when it can't be read.
    virtual std::optional<std::int64_t> availableBytes(const std::filesystem::path& path) const = 0;
};

}  // namespace quillane
