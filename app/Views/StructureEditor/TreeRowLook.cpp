#include "Views/StructureEditor/TreeRowLook.h"

namespace quillane {

int TreeRowLook::height() const {
    switch (kind) {
        case Kind::drive: case Kind::folder: return 38;
        case Kind::roll: return 34;
        case Kind::sound: return 30;
    }
    return 38;
}

std::vector<TreeRowLook> treeRows(const FolderTreeDraft& draft) {
    const auto& card = draft.cardFolderID();
    const auto& sound = draft.soundFolderID();
    std::vector<TreeRowLook> rows{{TreeRowLook::Kind::drive, driveRowKey, 0, std::nullopt}};
    if (!card) rows.push_back({TreeRowLook::Kind::roll, "roll", 1, std::nullopt});
    for (const auto& [node, depth] : draft.flattened()) {
        const int shown = static_cast<int>(depth) + 1;
        rows.push_back({TreeRowLook::Kind::folder, node.id.text(), shown, node.id});
        if (node.id == card) {
            rows.push_back({TreeRowLook::Kind::roll, "roll", shown + 1, std::nullopt});
            if (!sound || sound == card) rows.push_back({TreeRowLook::Kind::sound, "sound", shown + 1, std::nullopt});
        } else if (node.id == sound) {
            rows.push_back({TreeRowLook::Kind::sound, "sound", shown + 1, std::nullopt});
        }
    }
    return rows;
}

bool dropFolder(FolderTreeDraft& draft, const std::vector<std::string>& texts, const std::optional<UUID>& target) {
    if (texts.empty()) return false;
    const auto id = UUID::parse(texts.front());
    if (!id) return false;
    draft.move(*id, target);
    return true;
}

}  // namespace quillane
