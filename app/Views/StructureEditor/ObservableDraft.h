#pragma once
#include <QObject>

#include <functional>

#include "Views/StructureEditor/FolderTreeDraft.h"

namespace quillane {

// The structure tab's draft with change signals for its views. `changed` follows every change;
// `edited` only the user's edits. Replacing the draft (a preset applied, the tab appearing) is no
// edit, so it is never written back: a preset read back as a tree lists its sound folder as an
// extra folder, and writing that would stop the preset matching.
class ObservableDraft : public QObject {
    Q_OBJECT
public:
    explicit ObservableDraft(QObject* parent = nullptr) : QObject(parent) {}

    const FolderTreeDraft& draft() const { return draft_; }

    // Runs one editing operation; signals only when it changed something.
    void edit(const std::function<void(FolderTreeDraft&)>& operation);
    void replace(FolderTreeDraft draft);

signals:
    void changed();
    void edited();

private:
    FolderTreeDraft draft_;
};

}  // namespace quillane
