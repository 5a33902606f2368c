#pragma once
#include "Model/ModelServices.h"

namespace quillane {

// The model's services on this machine: the mounted volumes from the volume monitor, and the
// Linux services of app/Platform where they exist; what is missing the model replaces with
// stand-ins that do nothing.
ModelServices shellServices(bool snapshotMode);

}  // namespace quillane
