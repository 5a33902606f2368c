#include <algorithm>
#include <ctime>
#include <functional>

#include "Detection/CameraSignatures.h"
#include "Model/AppModel.h"
#include "Model/FolderListing.h"
#include "Model/PathRules.h"
#include "Support/Folders.h"
#include "Support/Text.h"
#include "Template/RollNamer.h"

namespace quillane {
namespace {

bool sameLocalDay(std::chrono::system_clock::time_point a, std::chrono::system_clock::time_point b) {
    const std::time_t ta = std::chrono::system_clock::to_time_t(a), tb = std::chrono::system_clock::to_time_t(b);
    std::tm da{}, db{};
    localtime_r(&ta, &da);
    localtime_r(&tb, &db);
    return da.tm_year == db.tm_year && da.tm_yday == db.tm_yday;
}

}  // namespace

void AppModel::chooseRollName() {
    if (rollOverride_) {
        assign(rollName_, *rollOverride_, ModelField::rollName);
        assign(rollOrigin_, RollOrigin::manual, ModelField::rollOrigin);
        return;
    }
    // Chosen for a card or scan that has gone: it holds no more, also when that card comes back.
    if (chosenRoll_ && !chosenRollHolds()) chosenRoll_.reset();
    if (chosenRoll_) {
        assign(rollName_, chosenRoll_->roll, ModelField::rollName);
        return;
    }
    if (const std::optional<RunningJob> continued = continuedJob()) {
        assign(rollName_, continued->roll, ModelField::rollName);
        assign(rollOrigin_, RollOrigin::counted, ModelField::rollOrigin);
        return;
    }
    if (const auto reel = cardReel()) {
        assign(rollName_, *reel, ModelField::rollName);
        assign(rollOrigin_, RollOrigin::card, ModelField::rollOrigin);
        return;
    }
    const DriveState* source = selectedSource();
    const std::string letter = source && isSoundCard(*source) ? "S" : cameraLetter_;
    const std::int64_t next = highestUsedNumber(letter) + 1;
    assign(rollName_, RollNamer::format(letter, next, settings_.rollDigits), ModelField::rollName);
    assign(rollOrigin_, RollOrigin::counted, ModelField::rollOrigin);
}

std::optional<std::string> AppModel::cardReel() const {
    const DriveState* source = selectedSource();
    if (!settings_.useCardReelName || !source || isSoundCard(*source)) return std::nullopt;
    return CameraSignatures::reelName(source->info.name, source->probe ? &*source->probe : nullptr);
}

std::vector<std::string> AppModel::recordedRollNames() const {
    std::vector<std::string> names;
    const std::string project = Text::lowercased(projectName_);
    for (const TransferRecord& record : history_)
        if (Text::lowercased(record.project) == project) names.push_back(record.roll);
    for (const QueueItem& item : queue_) names.push_back(item.roll);
    if (runningJob_) names.push_back(runningJob_->roll);
    return names;
}

std::vector<std::filesystem::path> AppModel::rollParents(bool sound) const {
    const FolderTemplate& folders = settings_.folderTemplate;
    const std::string& pattern = sound && folders.soundPattern ? *folders.soundPattern : folders.pattern;
    const std::vector<std::string> levels = FolderTemplate::segments(pattern);
    const auto rollLevel = std::find_if(levels.begin(), levels.end(),
                                        [](const std::string& level) { return level.find("{ROLL}") != std::string::npos; });
    std::vector<std::filesystem::path> parents;
    if (rollLevel == levels.end()) return parents;
    const TemplateContext ctx = context("");
    for (const DriveState& drive : activeDestinations()) {
        std::filesystem::path parent = baseURL(drive);
        for (auto level = levels.begin(); level != rollLevel; ++level) parent /= FolderTemplate::resolve(*level, ctx);
        if (!PathRules::isDemoLocation(parent)) parents.push_back(std::move(parent));
    }
    return parents;
}

std::vector<std::string> AppModel::usedRollNames(std::optional<bool> soundFlag) const {
    const DriveState* source = selectedSource();
    const bool sound = soundFlag.value_or(source && isSoundCard(*source));
    std::vector<std::string> names = recordedRollNames();
    for (const std::filesystem::path& parent : rollParents(sound))
        for (const std::string& folder : FolderListing::visibleFolders(parent))
            if (FolderListing::hasVisibleEntry(parent / folder)) names.push_back(folder);
    return names;
}

std::int64_t AppModel::highestUsedNumber(const std::string& letter) const {
    const DriveState* source = selectedSource();
    const std::int64_t digits = settings_.rollDigits;
    std::int64_t highest = RollNamer::highestNumber(letter, recordedRollNames(), digits);
    // A roll level can hold thousands of rolls: open them from the highest number down, and only
    // until one holds a visible item, as nothing below it can raise the number.
    for (const std::filesystem::path& parent : rollParents(source && isSoundCard(*source))) {
        std::vector<std::pair<std::int64_t, std::string>> candidates;
        for (std::string& folder : FolderListing::visibleFolders(parent))
            if (const std::int64_t number = RollNamer::highestNumber(letter, {folder}, digits); number > highest)
                candidates.emplace_back(number, std::move(folder));
        std::sort(candidates.begin(), candidates.end(), std::greater<>());
        for (const auto& [number, folder] : candidates)
            if (FolderListing::hasVisibleEntry(parent / folder)) {
                highest = number;
                break;
            }
    }
    return highest;
}

std::string AppModel::rollAboveUsed(const std::string& roll) const {
    const auto parsed = RollNamer::parse(roll);
    const std::string letter = parsed ? parsed->letter : cameraLetter_;
    const std::int64_t highest =
        std::max(RollNamer::highestNumber(letter, {roll}, settings_.rollDigits), highestUsedNumber(letter));
    return RollNamer::format(letter, highest + 1, settings_.rollDigits);
}

bool AppModel::plannedRollTaken() const {
    if (const std::optional<RunningJob> continued = continuedJob(); continued && continued->roll == rollName_)
        return false;
    const std::string roll = Text::lowercased(rollName_);
    for (const std::string& name : recordedRollNames())
        if (Text::lowercased(name) == roll) return true;
    return std::any_of(plans_.begin(), plans_.end(), [](const DestinationPlan& plan) { return plan.rollHasContent; });
}

int AppModel::shootDay() const {
    if (shootDayOverride_) return *shootDayOverride_;
    const std::string project = Text::lowercased(projectName_);
    const TimePoint today = now();
    int highest = 0;
    bool any = false;
    for (const TransferRecord& record : history_) {
        if (Text::lowercased(record.project) != project) continue;
        if (sameLocalDay(record.finishedAt, today)) return record.shootDay.value_or(1);
        highest = std::max(highest, record.shootDay.value_or(1));
        any = true;
    }
    return any ? highest + 1 : 1;
}

void AppModel::stepShootDay(int delta) {
    assign(shootDayOverride_, std::optional<int>(std::max(shootDay() + delta, 1)), ModelField::shootDayOverride);
    refreshPlans();
}

void AppModel::stepRoll(int delta) {
    assign(rollOverride_, std::optional<std::string>(RollNamer::step(rollName_, delta, settings_.rollDigits)),
           ModelField::rollOverride);
    refreshPlans();
}

void AppModel::pickCameraLetter(const std::string& letter) {
    assign(cameraLetter_, letter, ModelField::cameraLetter);
    const std::int64_t next = highestUsedNumber(letter) + 1;
    assign(rollOverride_, std::optional<std::string>(RollNamer::format(letter, next, settings_.rollDigits)),
           ModelField::rollOverride);
    refreshPlans();
}

void AppModel::clearRollOverride() {
    assign(rollOverride_, std::optional<std::string>(), ModelField::rollOverride);
    refreshPlans();
}

void AppModel::setProject(const std::string& name) {
    const std::string trimmed = Text::trimSpaceAndNewlines(name);
    if (trimmed.empty()) return;
    // The outcome of the last card belongs to the project it was transferred in.
    if (trimmed != projectName_) dismissResult();
    chosenRoll_.reset();
    assign(projectName_, trimmed, ModelField::projectName);
    changeSettings([&](AppSettings& settings) { settings.rememberProject(trimmed); });
    assign(rollOverride_, std::optional<std::string>(), ModelField::rollOverride);
    assign(shootDayOverride_, std::optional<int>(), ModelField::shootDayOverride);
    reclassifyAll();
}

std::optional<TransferRecord> AppModel::previousTransfer() const {
    if (!scan_ || scan_->files.empty()) return std::nullopt;
    for (const TransferRecord& record : history_)
        if (record.succeeded && record.fingerprint == scan_->fingerprint) return record;
    return std::nullopt;
}

std::vector<AppModel::ClipLocation> AppModel::locations(const ClipHit& hit) const {
    std::vector<ClipLocation> result;
    for (const TransferRecord::Destination& destination : hit.record.destinations) {
        if (!destination.succeeded) continue;
        // The catalog's path comes from a card: one that would lead out of the roll folder ("..",
        // absolute, a link out) names no place of this clip.
        const std::optional<std::filesystem::path> url = Folders::joinInside(destination.path, hit.file.path);
        if (!url || hit.file.path.empty()) continue;
        ClipLocation location;
        location.name = destination.name;
        location.url = *url;
        if (PathRules::isDemoLocation(location.url)) {
            location.online = std::any_of(drives_.begin(), drives_.end(), [&](const DriveState& drive) {
                return drive.info.name == destination.name;
            });
        } else {
            std::error_code error;
            location.online = std::filesystem::exists(location.url, error);
        }
        result.push_back(std::move(location));
    }
    return result;
}

}  // namespace quillane
