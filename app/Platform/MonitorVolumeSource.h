#pragma once
#include <memory>

#include "Model/Seams/VolumeSource.h"
#include "Platform/VolumeMonitor.h"

namespace quillane {

// The mounted volumes of this machine, from the volume monitor, delivered on the thread that starts it.
class MonitorVolumeSource final : public VolumeSource {
public:
    MonitorVolumeSource();
    explicit MonitorVolumeSource(VolumeMonitor::Options options);
    ~MonitorVolumeSource() override;
    void start(Callback onChange) override;

private:
    std::unique_ptr<VolumeMonitor> monitor_;
};

}  // namespace quillane
