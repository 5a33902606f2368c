#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "Support/UUID.h"
#include "Template/FolderTemplate.h"

namespace quillane {

// The editable tree form of one folder structure, as the structure tab shows it.
//
// Every folder is a node in one flat list; a node's children are the nodes that name it as
// parent, in list order. Two marks say where the roll folders go: inside the card folder for
// camera cards, inside the sound folder for sound cards (absent: with the camera rolls). The
// roll folder itself is never a node. Built from a template, read back as a template; plain
// C++ with no toolkit, so the tab's editing rules are tested on their own.
class FolderTreeDraft {
public:
    struct Node {
        UUID id;
        std::string pattern;  // the name as typed; may hold tags such as {PROJECT}
        std::optional<UUID> parentID;

        bool operator==(const Node&) const = default;
    };

    struct Entry {
        Node node;
        std::size_t depth = 0;
    };

    FolderTreeDraft() = default;
    explicit FolderTreeDraft(const FolderTemplate& stored);

    bool operator==(const FolderTreeDraft&) const = default;

    const std::vector<Node>& nodes() const { return nodes_; }
    const std::optional<UUID>& cardFolderID() const { return cardFolderID_; }
    const std::optional<UUID>& soundFolderID() const { return soundFolderID_; }
    // The marks only ever name a folder of this tree: an unknown id changes nothing.
    void setCardFolderID(const std::optional<UUID>& id);
    void setSoundFolderID(const std::optional<UUID>& id);

    // The structure the tree stands for.
    FolderTemplate folderTemplate() const;

    // Whether the card folder is a shoot-day folder (its name holds {DAY}). Switching on adds a
    // "DAY_{DAY}" folder inside the card folder and puts the cards there; switching off removes
    // that folder again and lifts its subfolders into its parent.
    bool perShootDay() const;
    void setPerShootDay(bool on);

    const Node* node(const UUID& id) const;
    // The folder and its ancestors, top-level folder first; empty for an absent or unknown id.
    std::vector<Node> chain(const std::optional<UUID>& id) const;
    // Direct subfolders in list order; an absent parent gives the top-level folders.
    std::vector<Node> children(const std::optional<UUID>& parent) const;
    // Every folder reachable from the top, in pre-order, with its depth (0 at the top).
    std::vector<Entry> flattened() const;
    // True when the folder is the presumed ancestor itself or lies anywhere beneath it.
    bool isInside(const UUID& folder, const UUID& ancestor) const;

    // The editing operations. None fails: an unknown id changes nothing.
    UUID add(std::string pattern, const std::optional<UUID>& parent);
    void rename(const UUID& id, std::string pattern);
    void remove(const UUID& id);
    void move(const UUID& id, const std::optional<UUID>& target);
    void shift(const UUID& id, long places);

    // A folder name as it goes into a template: blanks and tabs cut at both ends, "/" as "-".
    static std::string cleaned(std::string_view name);

private:
    std::optional<std::size_t> indexOf(const UUID& id) const;

    std::vector<Node> nodes_;
    std::optional<UUID> cardFolderID_;
    std::optional<UUID> soundFolderID_;
};

}  // namespace quillane
