#include "DraftTesting.h"

#include <gtest/gtest.h>

namespace quillane::testing {

std::vector<std::string> outline(const FolderTreeDraft& draft) {
    std::vector<std::string> lines;
    for (const auto& [node, depth] : draft.flattened()) {
        std::string line(depth * 2, ' ');
        line += node.pattern;
        if (draft.cardFolderID() == node.id) line += " [card]";
        if (draft.soundFolderID() == node.id) line += " [sound]";
        lines.push_back(std::move(line));
    }
    return lines;
}

std::optional<UUID> folderAt(const FolderTreeDraft& draft, const std::string& path) {
    if (path.empty()) return std::nullopt;
    std::optional<UUID> at;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t slash = path.find('/', start);
        if (slash == std::string::npos) slash = path.size();
        const std::string name = path.substr(start, slash - start);
        std::optional<UUID> found;
        for (const auto& child : draft.children(at))
            if (child.pattern == name) {
                found = child.id;
                break;
            }
        if (!found) return std::nullopt;
        at = found;
        start = slash + 1;
    }
    return at;
}

UUID idAt(const FolderTreeDraft& draft, const std::string& path) {
    const auto id = folderAt(draft, path);
    EXPECT_TRUE(id) << "no folder at " << path;
    return id.value_or(UUID{});
}

}  // namespace quillane::testing
