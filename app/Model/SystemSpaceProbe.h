#pragma once
#include "Model/Seams/SpaceProbe.h"

namespace quillane {

// statvfs of the path, read afresh on every call.
class SystemSpaceProbe final : public SpaceProbe {
public:
    std::optional<std::int64_t> availableBytes(const std::filesystem::path& path) const override;
};

}  // namespace quillane
