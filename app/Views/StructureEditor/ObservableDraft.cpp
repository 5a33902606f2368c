#include "Views/StructureEditor/ObservableDraft.h"

namespace quillane {

void ObservableDraft::edit(const std::function<void(FolderTreeDraft&)>& operation) {
    FolderTreeDraft before = draft_;
    operation(draft_);
    if (draft_ == before) return;
    emit changed();
    emit edited();
}

void ObservableDraft::replace(FolderTreeDraft draft) {
    if (draft == draft_) return;
    draft_ = std::move(draft);
    emit changed();
}

}  // namespace quillane
