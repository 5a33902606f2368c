#pragma once
#include <optional>
#include <string>
#include <vector>

#include "Views/StructureEditor/FolderTreeDraft.h"

namespace quillane::testing {

// The tree as indented lines, one per folder in pre-order: two blanks per level, the pattern,
// then " [card]" and " [sound]" on the marked folders.
std::vector<std::string> outline(const FolderTreeDraft& draft);

// The id of the folder at a "/"-separated path of patterns from the top ("" = absent).
std::optional<UUID> folderAt(const FolderTreeDraft& draft, const std::string& path);
UUID idAt(const FolderTreeDraft& draft, const std::string& path);

}  // namespace quillane::testing
