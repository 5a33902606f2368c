#include "Views/Main/SourceColumnLook.h"

#include <algorithm>

#include "Support/Lang.h"
#include "Views/Kit/LocalText.h"

namespace quillane {

namespace {
bool contains(const std::vector<std::string>& list, const std::string& value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}
}  // namespace

std::optional<Tag> sourceBadge(const SourceColumnFacts& facts, const SourceCardFacts& card) {
    if (facts.runningSourceID == card.id) return Tag{lq("bezig", "running"), Tone::accent};
    const auto queued = std::find(facts.queueSourceIDs.begin(), facts.queueSourceIDs.end(), card.id);
    if (queued != facts.queueSourceIDs.end()) {
        const auto position = queued - facts.queueSourceIDs.begin() + 1;
        return Tag{lq("wachtrij ", "queue ") + QString::number(position), Tone::warning};
    }
    if (card.isSound && facts.selectedSourceID != card.id && contains(facts.soundCompanionNames, card.name))
        return Tag{lq("gaat mee", "goes along"), Tone::sound};
    return std::nullopt;
}

SourceColumnLook sourceColumnLook(const SourceColumnFacts& facts) {
    SourceColumnLook state;
    state.empty = facts.sourceIDs.empty();
    if (!state.empty) state.countText = QString::number(facts.sourceIDs.size());
    if (facts.selectedSourceID && contains(facts.sourceIDs, *facts.selectedSourceID))
        state.selectedID = facts.selectedSourceID;
    const bool busy = state.selectedID && (facts.runningSourceID == state.selectedID ||
                                           contains(facts.queueSourceIDs, *state.selectedID));
    state.showContents = state.selectedID && !busy;
    state.showEnqueue = state.showContents && facts.running;
    state.enqueueEnabled = state.showEnqueue && facts.canEnqueue;
    state.enqueueLabel = lq("In wachtrij zetten · wordt ", "Add to queue · becomes ") +
                         QString::fromStdString(facts.rollName);
    state.showQueue = !state.empty && !facts.queueSourceIDs.empty();
    return state;
}

}  // namespace quillane
