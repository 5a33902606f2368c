#pragma once
#include "Model/ModelServices.h"

namespace quillane {

// The model's services on this machine: the mounted volumes from the volume monitor, the Linux
// services of app/Platform and the desktop's folder chooser. Each does nothing (and says so where
// the user asked) when its desktop service is absent. Snapshot mode leaves sleep, notifications,
// feedback, eject and the folder chooser to the model's silent stand-ins.
ModelServices shellServices(bool snapshotMode);

}  // namespace quillane
