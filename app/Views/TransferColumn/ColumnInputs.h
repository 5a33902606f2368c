#pragma once
#include "Model/ModelField.h"
#include "Views/TransferColumn/ActionAreaLook.h"
#include "Views/TransferColumn/DestinationBarLook.h"
#include "Views/TransferColumn/StatusHeadlineLook.h"

namespace quillane {

class AppModel;

// What each part of the transfer column reads of the model, taken at one moment. The inputs point
// into the model and are used at once, never kept.
StatusHeadlineInput statusHeadlineInput(const AppModel& model);
DestinationBarsInput destinationBarsInput(const AppModel& model);
ActionAreaInput actionAreaInput(const AppModel& model);

// The model fields behind each input; a part refreshes when one of them changed.
ModelFields statusHeadlineFields();
ModelFields destinationBarsFields();

}  // namespace quillane
