#include <ctime>

#include "Detection/CameraSignatures.h"
#include "Model/AppModel.h"
#include "Model/FolderListing.h"
#include "Model/PathRules.h"
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
    const std::int64_t next = RollNamer::highestNumber(letter, usedRollNames(), settings_.rollDigits) + 1;
    assign(rollName_, RollNamer::format(letter, next, settings_.rollDigits), ModelField::rollName);
    assign(rollOrigin_, RollOrigin::counted, ModelField::rollOrigin);
}

std::optional<std::string> AppModel::cardReel() const {
    const DriveState* source = selectedSource();
    if (!settings_.useCardReelName || !source || isSoundCard(*source)) return std::nullopt;
    return CameraSignatures::reelName(source->info.name, source->probe ? &*source->probe : nullptr);
}

std::vector<std::string> AppModel::usedRollNames(std::optional<bool> soundFlag) const {
    const DriveState* source = selectedSource();
    const bool sound = soundFlag.value_or(source && isSoundCard(*source));
    std::vector<std::string> names;
    const std::string project = Text::lowercased(projectName_);
    for (const TransferRecord& record : history_)
        if (Text::lowercased(record.project) == project) names.push_back(record.roll);
    for (const QueueItem& item : queue_) names.push_back(item.roll);
    if (runningJob_) names.push_back(runningJob_->roll);

    const FolderTemplate& folders = settings_.folderTemplate;
    const std::string& pattern = sound && folders.soundPattern ? *folders.soundPattern : folders.pattern;
    const std::vector<std::string> levels = FolderTemplate::segments(pattern);
    std::size_t rollLevel = levels.size();
    for (std::size_t i = 0; i < levels.size(); ++i)
        if (levels[i].find("{ROLL}") != std::string::npos) {
            rollLevel = i;
            break;
        }
    if (rollLevel == levels.size()) return names;
    const TemplateContext ctx = context("");
    for (const DriveState& drive : activeDestinations()) {
        std::filesystem::path parent = baseURL(drive);
        for (std::size_t i = 0; i < rollLevel; ++i) parent /= FolderTemplate::resolve(levels[i], ctx);
        if (PathRules::isDemoLocation(parent)) continue;
        for (const std::string& folder : FolderListing::visibleFolders(parent))
            if (FolderListing::hasVisibleEntry(parent / folder)) names.push_back(folder);
    }
    return names;
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
    const std::int64_t next = RollNamer::highestNumber(letter, usedRollNames(), settings_.rollDigits) + 1;
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
        ClipLocation location;
        location.name = destination.name;
        location.url = (std::filesystem::path(destination.path) / std::filesystem::path(hit.file.path).relative_path()).lexically_normal();
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
