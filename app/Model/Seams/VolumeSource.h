#pragma once
#include <functional>
#include <vector>

#include "Detection/DriveInfo.h"

namespace quillane {

// Where the model learns which volumes are mounted. The whole current list arrives on every
// mount, unmount and rename, on the model's thread; once right after start().
class VolumeSource {
public:
    using Callback = std::function<void(const std::vector<DriveInfo>&)>;
    virtual ~VolumeSource() = default;
    // Called once. Delivers the current list at once (or soon), then every change.
    virtual void start(Callback onChange) = 0;
};

}  // namespace quillane
