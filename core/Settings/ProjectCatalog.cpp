#include "Settings/ProjectCatalog.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>

#include "Detection/ByteFormat.h"
#include "Support/Text.h"

namespace quillane {
namespace {

bool contains(const std::vector<std::string>& list, const std::string& value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

void appendOnce(std::vector<std::string>& list, const std::string& value) {
    if (!contains(list, value)) list.push_back(value);
}

// What is remembered about the project's drives while the rolls are built.
struct DriveFacts {
    std::unordered_map<std::string, std::string> nameOf;                      // identity -> name
    std::unordered_map<std::string, std::int64_t> capacityOf;                 // identity -> capacity
    std::unordered_map<std::string, std::vector<std::string>> identitiesOf;   // lower-cased name -> identities

    std::string identityOf(const TransferRecord::Destination& destination) {
        if (destination.volumeID) return *destination.volumeID;
        const std::string lowered = Text::lowercased(destination.name);
        if (const auto it = identitiesOf.find(lowered); it != identitiesOf.end() && !it->second.empty())
            return it->second.front();
        std::string identity = "name:" + lowered;
        nameOf.try_emplace(identity, destination.name);  // the first capitalisation seen wins
        return identity;
    }

    std::string baseName(const std::string& identity) const {
        const auto it = nameOf.find(identity);
        return it != nameOf.end() ? it->second : identity;
    }
};

std::string removeAll(std::string text, std::string_view what) {
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at)) text.erase(at, what.size());
    return text;
}

std::string shortIdentity(const std::string& identity) {
    std::u32string scalars = Text::decode(removeAll(identity, "name:"));
    if (scalars.size() > 4) scalars.resize(4);
    return Text::uppercased(Text::encode(scalars));
}

std::map<std::string, std::string> labelDrives(const std::vector<ProjectCatalog::Roll>& rolls,
                                               const DriveFacts& facts) {
    std::set<std::string> identities;
    for (const auto& roll : rolls) {
        identities.insert(roll.driveIDs.begin(), roll.driveIDs.end());
        identities.insert(roll.failedDriveIDs.begin(), roll.failedDriveIDs.end());
    }
    std::map<std::string, std::vector<std::string>> groups;  // lower-cased base name -> identities
    for (const auto& identity : identities) groups[Text::lowercased(facts.baseName(identity))].push_back(identity);

    std::map<std::string, std::string> labels;
    for (const auto& [ignored, members] : groups) {
        for (const auto& identity : members) {
            const std::string base = facts.baseName(identity);
            if (members.size() == 1) {
                labels[identity] = base;
                continue;
            }
            const auto capacity = facts.capacityOf.find(identity);
            bool capacityIsUnique = capacity != facts.capacityOf.end();
            for (const auto& other : members) {
                if (!capacityIsUnique) break;
                if (other == identity) continue;
                const auto otherCapacity = facts.capacityOf.find(other);
                if (otherCapacity != facts.capacityOf.end() && otherCapacity->second == capacity->second)
                    capacityIsUnique = false;
            }
            labels[identity] = base + " · " +
                               (capacityIsUnique ? ByteFormat::string(capacity->second) : shortIdentity(identity));
        }
    }
    return labels;
}

std::vector<TransferRecord> oldestFirst(const std::string& project, const std::vector<TransferRecord>& history) {
    std::vector<TransferRecord> selected;
    for (const auto& record : history)
        if (Text::caseInsensitiveEqual(record.project, project)) selected.push_back(record);
    std::stable_sort(selected.begin(), selected.end(),
                     [](const TransferRecord& a, const TransferRecord& b) { return a.finishedAt < b.finishedAt; });
    return selected;
}

}  // namespace

ProjectCatalog::ProjectCatalog(std::string projectName, const std::vector<TransferRecord>& history)
    : project(std::move(projectName)) {
    const std::vector<TransferRecord> records = oldestFirst(project, history);

    DriveFacts facts;
    for (const auto& record : records) {
        for (const auto& destination : record.destinations) {
            if (!destination.volumeID) continue;
            const std::string& identity = *destination.volumeID;
            facts.nameOf[identity] = destination.name;  // the newest transfer's name wins
            if (destination.capacity) facts.capacityOf[identity] = *destination.capacity;
            appendOnce(facts.identitiesOf[Text::lowercased(destination.name)], identity);
        }
    }

    std::unordered_map<std::string, std::size_t> rollIndex;
    for (const auto& record : records) {
        const std::string key = record.fingerprint.empty() ? "roll:" + record.roll : record.fingerprint;
        auto [it, isNew] = rollIndex.try_emplace(key, rolls.size());
        if (isNew) {
            Roll roll;
            roll.id = key;
            roll.roll = record.roll;
            roll.shootDay = record.shootDay;
            roll.sourceName = record.sourceName;
            roll.cameraLabel = record.cameraLabel;
            roll.totalBytes = record.totalBytes;
            roll.fileCount = record.fileCount;
            roll.lastTransfer = record.finishedAt;
            rolls.push_back(std::move(roll));
        }
        Roll& roll = rolls[it->second];
        roll.lastTransfer = std::max(roll.lastTransfer, record.finishedAt);
        for (const auto& destination : record.destinations) {
            const std::string identity = facts.identityOf(destination);
            if (destination.succeeded) {
                // A copy made with verification off is a copy all the same, marked as not read back
                // until a verified one lands on the same drive.
                const bool known = contains(roll.driveIDs, identity);
                appendOnce(roll.driveIDs, identity);
                std::erase(roll.failedDriveIDs, identity);
                if (record.verified) std::erase(roll.unverifiedDriveIDs, identity);
                else if (!known) roll.unverifiedDriveIDs.push_back(identity);
            } else if (!contains(roll.driveIDs, identity)) {
                appendOnce(roll.failedDriveIDs, identity);
            }
        }
    }

    const auto labels = labelDrives(rolls, facts);
    std::unordered_map<std::string, std::size_t> driveIndex;
    for (auto& roll : rolls) {
        for (const auto& identity : roll.driveIDs) roll.drives.push_back(labels.at(identity));
        for (const auto& identity : roll.failedDriveIDs) roll.failedDrives.push_back(labels.at(identity));
        for (const auto& identity : roll.driveIDs) {
            auto [it, isNew] = driveIndex.try_emplace(identity, drives.size());
            if (isNew) drives.push_back(Drive{identity, facts.baseName(identity), labels.at(identity), 0, 0});
            drives[it->second].rollCount += 1;
            drives[it->second].bytes += roll.totalBytes;
        }
    }
}

std::int64_t ProjectCatalog::totalBytes() const {
    std::int64_t total = 0;
    for (const auto& roll : rolls) total += roll.totalBytes;
    return total;
}

std::vector<ProjectCatalog::Roll> ProjectCatalog::unsafeRolls() const {
    std::vector<Roll> unsafe;
    for (const auto& roll : rolls)
        if (!roll.isSafe()) unsafe.push_back(roll);
    return unsafe;
}

std::vector<ProjectCatalog::Day> ProjectCatalog::days() const {
    std::vector<Day> groups;
    for (const auto& roll : rolls) {
        auto it = std::find_if(groups.begin(), groups.end(), [&](const Day& g) { return g.day == roll.shootDay; });
        if (it == groups.end()) {
            groups.push_back(Day{roll.shootDay, {}});
            it = std::prev(groups.end());
        }
        it->rolls.push_back(roll);
    }
    std::stable_sort(groups.begin(), groups.end(),
                     [](const Day& a, const Day& b) { return a.day.value_or(0) < b.day.value_or(0); });
    return groups;
}

std::vector<std::string> ProjectCatalog::projects(const std::vector<TransferRecord>& history) {
    std::vector<const TransferRecord*> newestFirst;
    newestFirst.reserve(history.size());
    for (const auto& record : history) newestFirst.push_back(&record);
    std::stable_sort(newestFirst.begin(), newestFirst.end(),
                     [](const TransferRecord* a, const TransferRecord* b) { return a->finishedAt > b->finishedAt; });
    std::vector<std::string> names;
    for (const auto* record : newestFirst) {
        const bool known = std::any_of(names.begin(), names.end(), [&](const std::string& name) {
            return Text::caseInsensitiveEqual(name, record->project);
        });
        if (!known) names.push_back(record->project);
    }
    return names;
}

}  // namespace quillane
