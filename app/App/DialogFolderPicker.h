#pragma once
#include "Model/Seams/FolderPicker.h"

namespace quillane {

// The desktop's folder chooser (QFileDialog), opened over the application's window without a
// nested event loop: folders only, starting in the asked folder, with the request's confirm
// button and question. The answer comes back once, when the dialog closes.
class DialogFolderPicker final : public FolderPicker {
public:
    void pick(const FolderPickRequest& request, Done done) override;
};

}  // namespace quillane
