#include "Platform/MonitorVolumeSource.h"

namespace quillane {

MonitorVolumeSource::MonitorVolumeSource() : monitor_(std::make_unique<VolumeMonitor>()) {}

MonitorVolumeSource::MonitorVolumeSource(VolumeMonitor::Options options)
    : monitor_(std::make_unique<VolumeMonitor>(std::move(options))) {}

MonitorVolumeSource::~MonitorVolumeSource() { monitor_->stop(); }

void MonitorVolumeSource::start(Callback onChange) {
    monitor_->onChange = std::move(onChange);
    monitor_->start();
}

}  // namespace quillane
