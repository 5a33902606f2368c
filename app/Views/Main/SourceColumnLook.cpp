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
    SourceColumnLook look;
    look.empty = facts.sourceIDs.empty();
    if (!look.empty) look.countText = QString::number(facts.sourceIDs.size());
    if (facts.selectedSourceID && contains(facts.sourceIDs, *facts.selectedSourceID))
        look.selectedID = facts.selectedSourceID;
    const bool busy = look.selectedID && (facts.runningSourceID == look.selectedID ||
                                           contains(facts.queueSourceIDs, *look.selectedID));
    look.showContents = look.selectedID && !busy;
    look.showEnqueue = look.showContents && facts.running;
    look.enqueueEnabled = look.showEnqueue && facts.canEnqueue;
    look.enqueueLabel = lq("In wachtrij zetten · wordt ", "Add to queue · becomes ") +
                         QString::fromStdString(facts.rollName);
    look.showQueue = !look.empty && !facts.queueSourceIDs.empty();
    return look;
}

}  // namespace quillane
