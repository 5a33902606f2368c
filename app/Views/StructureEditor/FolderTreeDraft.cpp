#include "Views/StructureEditor/FolderTreeDraft.h"

#include <algorithm>
#include <map>
#include <unordered_map>
#include <utility>

#include "Support/Text.h"

namespace quillane {
namespace {

constexpr std::string_view rollLevel = "{ROLL}";

std::vector<std::string> levelsWithoutRoll(std::string_view pattern) {
    auto levels = FolderTemplate::segments(pattern);
    if (!levels.empty() && levels.back() == rollLevel) levels.pop_back();
    return levels;
}

// Appends folders while a template is read, reusing the first folder of the same name under the
// same parent. The lookup table stands in for a scan of the list, which a hand-edited template
// with thousands of folders would make slow; it gives the same answer.
class TreeBuilder {
public:
    explicit TreeBuilder(std::vector<FolderTreeDraft::Node>& nodes) : nodes_(nodes) {}

    UUID append(const std::string& pattern, const std::optional<UUID>& parent) {
        const UUID id = UUID::random();
        nodes_.push_back({id, pattern, parent});
        firstByName_.emplace(Key{parent, pattern}, id);
        return id;
    }

    // Walks the levels down from a parent; returns the last folder walked (the parent itself for
    // no levels).
    std::optional<UUID> walk(const std::vector<std::string>& levels, std::optional<UUID> parent) {
        for (const auto& level : levels) {
            const auto found = firstByName_.find(Key{parent, level});
            parent = found != firstByName_.end() ? found->second : append(level, parent);
        }
        return parent;
    }

private:
    using Key = std::pair<std::optional<UUID>, std::string>;
    std::vector<FolderTreeDraft::Node>& nodes_;
    std::map<Key, UUID> firstByName_;
};

// Parent to children (list indexes in list order), top-level folders under no parent.
struct ChildIndex {
    std::vector<std::size_t> top;
    std::unordered_map<UUID, std::vector<std::size_t>> below;

    explicit ChildIndex(const std::vector<FolderTreeDraft::Node>& nodes) {
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            if (nodes[i].parentID) below[*nodes[i].parentID].push_back(i);
            else top.push_back(i);
        }
    }
    const std::vector<std::size_t>& of(const UUID& id) const {
        static const std::vector<std::size_t> none;
        const auto found = below.find(id);
        return found == below.end() ? none : found->second;
    }
};

}  // namespace

FolderTreeDraft::FolderTreeDraft(const FolderTemplate& stored) {
    TreeBuilder builder(nodes_);
    std::vector<UUID> cardChain;
    std::optional<UUID> parent;
    for (const auto& level : levelsWithoutRoll(stored.pattern)) {
        parent = builder.append(level, parent);
        cardChain.push_back(*parent);
    }
    if (!cardChain.empty()) cardFolderID_ = cardChain.back();

    if (stored.soundPattern) soundFolderID_ = builder.walk(levelsWithoutRoll(*stored.soundPattern), std::nullopt);

    for (const auto& extra : stored.extraFolders) {
        std::optional<UUID> start;
        if (extra.parentLevel >= 0 && !cardChain.empty()) {
            const auto last = static_cast<std::uint64_t>(cardChain.size() - 1);
            start = cardChain[static_cast<std::size_t>(std::min(static_cast<std::uint64_t>(extra.parentLevel), last))];
        }
        builder.walk(FolderTemplate::segments(extra.name), start);
    }
}

std::string FolderTreeDraft::cleaned(std::string_view name) {
    std::string out = Text::trimHorizontalSpace(name);
    std::replace(out.begin(), out.end(), '/', '-');
    return out;
}

std::optional<std::size_t> FolderTreeDraft::indexOf(const UUID& id) const {
    for (std::size_t i = 0; i < nodes_.size(); ++i)
        if (nodes_[i].id == id) return i;
    return std::nullopt;
}

const FolderTreeDraft::Node* FolderTreeDraft::node(const UUID& id) const {
    const auto index = indexOf(id);
    return index ? &nodes_[*index] : nullptr;
}

void FolderTreeDraft::setCardFolderID(const std::optional<UUID>& id) {
    if (!id || node(*id)) cardFolderID_ = id;
}

void FolderTreeDraft::setSoundFolderID(const std::optional<UUID>& id) {
    if (!id || node(*id)) soundFolderID_ = id;
}

// --- reading ---------------------------------------------------------------------------

std::vector<FolderTreeDraft::Node> FolderTreeDraft::chain(const std::optional<UUID>& id) const {
    std::vector<Node> out;
    if (!id) return out;
    std::unordered_map<UUID, std::size_t> index;
    for (std::size_t i = 0; i < nodes_.size(); ++i) index.emplace(nodes_[i].id, i);
    std::optional<UUID> at = id;
    // The operations never make a cycle; the bound keeps a walk finite all the same.
    while (at && out.size() < nodes_.size()) {
        const auto found = index.find(*at);
        if (found == index.end()) break;
        out.push_back(nodes_[found->second]);
        at = nodes_[found->second].parentID;
    }
    std::reverse(out.begin(), out.end());
    return out;
}

std::vector<FolderTreeDraft::Node> FolderTreeDraft::children(const std::optional<UUID>& parent) const {
    std::vector<Node> out;
    for (const auto& n : nodes_)
        if (n.parentID == parent) out.push_back(n);
    return out;
}

std::vector<FolderTreeDraft::Entry> FolderTreeDraft::flattened() const {
    const ChildIndex index(nodes_);
    std::vector<Entry> out;
    out.reserve(nodes_.size());
    // Depth first without recursion: a hand-made tree may be thousands of levels deep.
    std::vector<std::pair<std::size_t, std::size_t>> pending;  // list index, depth
    for (auto it = index.top.rbegin(); it != index.top.rend(); ++it) pending.emplace_back(*it, 0);
    while (!pending.empty() && out.size() < nodes_.size()) {
        const auto [at, depth] = pending.back();
        pending.pop_back();
        out.push_back({nodes_[at], depth});
        const auto& below = index.of(nodes_[at].id);
        for (auto it = below.rbegin(); it != below.rend(); ++it) pending.emplace_back(*it, depth + 1);
    }
    return out;
}

bool FolderTreeDraft::isInside(const UUID& folder, const UUID& ancestor) const {
    const auto path = chain(folder);
    return std::any_of(path.begin(), path.end(), [&](const Node& n) { return n.id == ancestor; });
}

bool FolderTreeDraft::perShootDay() const {
    const Node* card = cardFolderID_ ? node(*cardFolderID_) : nullptr;
    return card && card->pattern.find("{DAY}") != std::string::npos;
}

FolderTemplate FolderTreeDraft::folderTemplate() const {
    const auto cardChain = chain(cardFolderID_);
    // Where an extra folder hangs: its position among the named folders of the card chain. A
    // folder whose name is empty is left out of the card path, so it is not counted either;
    // otherwise the folders below it would land one level deeper than the tree shows.
    std::unordered_map<UUID, std::int64_t> chainLevel;
    std::vector<std::string> levels;
    for (const auto& n : cardChain) {
        auto name = cleaned(n.pattern);
        if (!name.empty()) levels.push_back(std::move(name));
        chainLevel.emplace(n.id, static_cast<std::int64_t>(levels.size()) - 1);
    }
    levels.emplace_back(rollLevel);

    std::unordered_map<UUID, std::size_t> index;
    for (std::size_t i = 0; i < nodes_.size(); ++i) index.emplace(nodes_[i].id, i);

    std::vector<ExtraFolder> extras;
    for (const auto& entry : flattened()) {
        if (chainLevel.contains(entry.node.id)) continue;
        std::vector<std::string> path{cleaned(entry.node.pattern)};
        std::int64_t parentLevel = -1;
        std::optional<UUID> at = entry.node.parentID;
        while (at && path.size() <= nodes_.size()) {
            if (const auto onChain = chainLevel.find(*at); onChain != chainLevel.end()) {
                parentLevel = onChain->second;
                break;
            }
            const auto found = index.find(*at);
            if (found == index.end()) break;
            path.push_back(cleaned(nodes_[found->second].pattern));
            at = nodes_[found->second].parentID;
        }
        if (std::any_of(path.begin(), path.end(), [](const std::string& name) { return name.empty(); })) continue;
        std::string name;
        for (auto it = path.rbegin(); it != path.rend(); ++it) {
            if (!name.empty()) name += '/';
            name += *it;
        }
        extras.push_back({parentLevel, std::move(name)});
    }

    std::optional<std::vector<std::string>> soundLevels;
    if (soundFolderID_ && soundFolderID_ != cardFolderID_ && node(*soundFolderID_)) {
        std::vector<std::string> names;
        for (const auto& n : chain(soundFolderID_))
            if (auto name = cleaned(n.pattern); !name.empty()) names.push_back(std::move(name));
        // A sound folder whose folders all lack a name stands nowhere: sound goes with the cards,
        // which is also how the tree reads such a template back.
        if (!names.empty()) {
            names.emplace_back(rollLevel);
            soundLevels = std::move(names);
        }
    }
    return FolderTemplate::fromLevels(levels, std::move(extras), soundLevels);
}

// --- editing ---------------------------------------------------------------------------

void FolderTreeDraft::setPerShootDay(bool on) {
    if (on == perShootDay()) return;
    if (on) {
        cardFolderID_ = add("DAY_{DAY}", cardFolderID_);
        return;
    }
    const Node day = *node(*cardFolderID_);
    for (auto& n : nodes_)
        if (n.parentID == day.id) n.parentID = day.parentID;
    nodes_.erase(nodes_.begin() + static_cast<std::ptrdiff_t>(*indexOf(day.id)));
    cardFolderID_ = day.parentID && node(*day.parentID) ? day.parentID : std::nullopt;
    if (soundFolderID_ == day.id) soundFolderID_.reset();
}

UUID FolderTreeDraft::add(std::string pattern, const std::optional<UUID>& parent) {
    const UUID id = UUID::random();
    nodes_.push_back({id, std::move(pattern), parent});
    return id;
}

void FolderTreeDraft::rename(const UUID& id, std::string pattern) {
    if (const auto index = indexOf(id)) nodes_[*index].pattern = std::move(pattern);
}

void FolderTreeDraft::remove(const UUID& id) {
    const auto index = indexOf(id);
    if (!index) return;
    const Node removedTop = nodes_[*index];
    const ChildIndex children(nodes_);
    std::vector<bool> removed(nodes_.size(), false);
    std::vector<std::size_t> pending{*index};
    while (!pending.empty()) {
        const std::size_t at = pending.back();
        pending.pop_back();
        if (removed[at]) continue;
        removed[at] = true;
        for (std::size_t child : children.of(nodes_[at].id)) pending.push_back(child);
    }
    auto isRemoved = [&](const std::optional<UUID>& mark) {
        const auto at = mark ? indexOf(*mark) : std::nullopt;
        return at && removed[*at];
    };
    const bool cardGoes = isRemoved(cardFolderID_);
    const bool soundGoes = isRemoved(soundFolderID_);
    std::size_t keep = 0;
    for (std::size_t i = 0; i < nodes_.size(); ++i)
        if (!removed[i]) {
            if (keep != i) nodes_[keep] = std::move(nodes_[i]);
            ++keep;
        }
    nodes_.resize(keep);
    if (cardGoes)
        cardFolderID_ = removedTop.parentID && node(*removedTop.parentID) ? removedTop.parentID : std::nullopt;
    if (soundGoes) soundFolderID_.reset();
}

void FolderTreeDraft::move(const UUID& id, const std::optional<UUID>& target) {
    if (target == id) return;
    if (target && isInside(*target, id)) return;
    const auto index = indexOf(id);
    if (!index) return;
    Node moved = std::move(nodes_[*index]);
    nodes_.erase(nodes_.begin() + static_cast<std::ptrdiff_t>(*index));
    moved.parentID = target;
    nodes_.push_back(std::move(moved));
}

void FolderTreeDraft::shift(const UUID& id, long places) {
    const auto index = indexOf(id);
    if (!index) return;
    std::vector<std::size_t> siblings;
    std::size_t place = 0;
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
        if (nodes_[i].parentID != nodes_[*index].parentID) continue;
        if (i == *index) place = siblings.size();
        siblings.push_back(i);
    }
    // Counted without signed overflow, whatever the number of places.
    std::size_t target = place;
    if (places > 0) {
        const auto forward = static_cast<unsigned long>(places);
        if (forward >= siblings.size() - place) return;
        target = place + forward;
    } else if (places < 0) {
        const auto back = static_cast<unsigned long>(-(places + 1)) + 1;
        if (back > place) return;
        target = place - back;
    } else {
        return;
    }
    std::swap(nodes_[siblings[place]], nodes_[siblings[target]]);
}

}  // namespace quillane
