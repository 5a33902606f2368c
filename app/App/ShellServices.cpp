#include "App/ShellServices.h"

#include <memory>

#include "Platform/VolumeMonitor.h"

namespace quillane {

namespace {
// The volume monitor behind the model's volume source.
class MonitorVolumes final : public VolumeSource {
public:
    void start(Callback onChange) override {
        monitor_.onChange = std::move(onChange);
        monitor_.start();
    }

private:
    VolumeMonitor monitor_;
};
}  // namespace

ModelServices shellServices(bool snapshotMode) {
    ModelServices services;
    services.volumes = std::make_shared<MonitorVolumes>();
    services.snapshotMode = snapshotMode;
    return services;
}

}  // namespace quillane
