#pragma once
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "Views/Kit/Tone.h"

namespace quillane {

// What the source column reads of the model, besides the cards themselves.
struct SourceColumnFacts {
    std::vector<std::string> sourceIDs;  // in the model's order
    std::optional<std::string> selectedSourceID;
    std::optional<std::string> runningSourceID;  // the running job's card
    std::vector<std::string> queueSourceIDs;     // in queue order
    std::vector<std::string> soundCompanionNames;
    bool running = false;
    bool canEnqueue = false;
    std::string rollName;
};

// One source card as the badge rule sees it.
struct SourceCardFacts {
    std::string id;
    std::string name;
    bool isSound = false;
};

// The column's parts that follow from the model.
struct SourceColumnLook {
    QString countText;  // empty when there are no sources
    bool empty = true;
    std::optional<std::string> selectedID;  // only a selected card that is still a source
    bool showContents = false;
    bool showEnqueue = false;
    bool enqueueEnabled = false;
    QString enqueueLabel;
    bool showQueue = false;
};

// The badge over one card: running, then its place in the queue, then "goes along".
std::optional<Tag> sourceBadge(const SourceColumnFacts& facts, const SourceCardFacts& card);
SourceColumnLook sourceColumnLook(const SourceColumnFacts& facts);

}  // namespace quillane
