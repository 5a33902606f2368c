#pragma once
#include <optional>
#include <string>
#include <vector>

#include "Views/StructureEditor/FolderTreeDraft.h"

namespace quillane {

// One row of the folder tree editor: the drive, a folder, or the place where roll folders of
// camera cards ("roll") or sound cards ("sound") will be made.
struct TreeRowLook {
    enum class Kind { drive, folder, roll, sound };

    Kind kind = Kind::drive;
    std::string key;  // "ssd", "roll", "sound", or the folder's id
    int depth = 0;    // display depth: the drive at 0, top-level folders at 1
    std::optional<UUID> folderID;

    bool operator==(const TreeRowLook&) const = default;

    int leadingInset() const { return 10 + 22 * depth; }
    int height() const;
};

// The rows of the editor, top to bottom: the drive, then every folder in tree order with the
// roll and sound rows where those folders go.
std::vector<TreeRowLook> treeRows(const FolderTreeDraft& draft);

// The drive row's key, also the drop target of the top level.
inline constexpr const char* driveRowKey = "ssd";

// A folder dropped on a row: the first dropped text names the folder by its id. Refused (false)
// when nothing came or the text is no id; otherwise the draft moves the folder into the target
// (or to the top level) as far as it allows, and the drop counts as taken.
bool dropFolder(FolderTreeDraft& draft, const std::vector<std::string>& texts, const std::optional<UUID>& target);

// Which row a drag is over. A row's leave clears the mark only while the mark is still its own, so
// a quick move from A to B keeps B marked even when A's leave comes after B's enter.
class DropMark {
public:
    void enter(const std::string& key) { key_ = key; }
    void leave(const std::string& key) {
        if (key_ == key) key_.reset();
    }
    void clear() { key_.reset(); }
    const std::optional<std::string>& key() const { return key_; }
    bool marks(const std::string& key) const { return key_ == key; }

private:
    std::optional<std::string> key_;
};

}  // namespace quillane
