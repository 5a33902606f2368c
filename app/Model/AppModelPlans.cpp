#include <algorithm>

#include <QPointer>

#include "Model/AppModel.h"
#include "Model/RollFolderFiles.h"
#include "Model/FolderListing.h"
#include "Model/PathRules.h"
#include "Support/Folders.h"
#include "Template/RollNamer.h"

namespace quillane {
namespace {

// The marker of a demo roll folder that a simulated transfer filled.
std::string filledMarker(const std::filesystem::path& roll) { return roll.string() + "/\u00B7filled"; }

}  // namespace

TemplateContext AppModel::context(const std::string& roll) const {
    TemplateContext ctx;
    ctx.project = projectName_.empty() ? "PROJECT" : projectName_;
    ctx.roll = roll;
    const auto parsed = RollNamer::parse(roll);
    ctx.cameraLetter = parsed ? parsed->letter : cameraLetter_;
    ctx.date = now();
    ctx.dateFormat = settings_.dateFormat;
    ctx.day = shootDay();
    const DriveState* source = selectedSource();
    ctx.camera = source && source->classification.camera ? source->classification.camera->token : "CAM";
    ctx.card = source ? source->info.name : "CARD";
    return ctx;
}

std::filesystem::path AppModel::baseURL(const DriveState& drive) const {
    if (!drive.info.uuid) return drive.info.url;
    const auto stored = settings_.destinationBaseFolders.find(*drive.info.uuid);
    if (stored == settings_.destinationBaseFolders.end() || stored->second.empty()) return drive.info.url;
    // A stored base that would leave the volume ("..", absolute, a link out) is not used.
    return Folders::joinInside(drive.info.url, stored->second).value_or(drive.info.url);
}

const DestinationPlan* AppModel::plan(const DriveState& drive) const {
    for (const DestinationPlan& plan : plans_)
        if (plan.driveID == drive.info.id) return &plan;
    return nullptr;
}

void AppModel::refreshPlans() {
    plansStale_ = false;
    chooseRollName();
    const TemplateContext ctx = context(rollName_);
    const DriveState* source = selectedSource();
    std::vector<std::string> path = source && isSoundCard(*source) ? settings_.folderTemplate.resolveSound(ctx)
                                                                   : settings_.folderTemplate.resolve(ctx);
    // A roll named by hand to get away from a taken reel folder is not renamed after it again.
    const bool reelOverridden = rollOverride_ && rollOverride_ == reelAvoidingRoll_;
    if (const auto reel = cardReelFolder(); reel && !path.empty() && !reelOverridden) path.back() = *reel;
    if (const std::optional<RunningJob> continued = continuedJob(); continued && continued->roll == rollName_)
        path = continued->path;
    assign(targetPath_, path, ModelField::targetPath);
    const std::vector<std::vector<std::string>> extras = settings_.folderTemplate.resolveExtras(ctx);
    const std::int64_t required = scan_ ? scan_->totalBytes : 0;
    std::vector<DestinationPlan> next;
    for (const DriveState& drive : activeDestinations()) next.push_back(planFor(drive, path, extras, required));
    replace(plans_, std::move(next), ModelField::plans);
}

DestinationPlan AppModel::planFor(const DriveState& drive, const std::vector<std::string>& path,
                                  const std::vector<std::vector<std::string>>& extras, std::int64_t required) const {
    DestinationPlan plan;
    plan.driveID = drive.info.id;
    plan.driveName = drive.info.name;
    plan.baseURL = baseURL(drive);
    const bool demo = PathRules::isDemoLocation(plan.baseURL);
    const auto folderExists = [&](const std::filesystem::path& url, bool anyItem) {
        if (demo) return demoFolders_.contains(url.string());
        return anyItem ? FolderListing::exists(url) : FolderListing::isFolder(url);
    };
    std::filesystem::path url = plan.baseURL;
    for (std::size_t i = 0; i < path.size(); ++i) {
        url /= path[i];
        const bool exists = folderExists(url, false);
        if (!exists) plan.missing.push_back(url);
        plan.nodes.push_back(FolderNode{path[i], static_cast<int>(i), exists, i + 1 == path.size(), url});
    }
    plan.rollURL = url;
    for (const std::vector<std::string>& extra : extras) {
        std::filesystem::path folder = plan.baseURL;
        for (const std::string& level : extra) {
            folder /= level;
            if (!folderExists(folder, true) &&
                std::find(plan.missing.begin(), plan.missing.end(), folder) == plan.missing.end())
                plan.missing.push_back(folder);
        }
    }
    plan.extraFolderCount = static_cast<int>(extras.size());
    plan.freeBytes = drive.info.availableCapacity;
    if (!demo)
        if (const auto live = services_.space->availableBytes(drive.info.url)) plan.freeBytes = *live;
    plan.requiredBytes = required;
    plan.rollHasContent = demo ? demoFolders_.contains(filledMarker(plan.rollURL))
                               : FolderListing::hasVisibleEntry(plan.rollURL);
    // What the roll folder already holds of the card (a paused, stopped or earlier copy) is not
    // copied again and needs no room.
    if (!demo && plan.rollHasContent && scan_) plan.requiredBytes -= RollFolderFiles::presentBytes(plan.rollURL, scan_->files);
    return plan;
}

void AppModel::chooseDestinationBase(const DriveState& drive) {
    if (!drive.info.uuid) return;
    const DriveInfo info = drive.info;
    FolderPickRequest request;
    request.startFolder = baseURL(drive);
    request.prompt = L("Gebruik deze map", "Use this folder");
    request.message = L("Waar op ", "Where on ") + info.name +
                      L(" moet de projectstructuur komen?", " should the project structure go?");
    request.canCreateFolders = true;
    QPointer<AppModel> self(this);
    services_.folderPicker->pick(request, [self, info](std::optional<std::filesystem::path> folder) {
        if (!self || !folder) return;
        if (!PathRules::liesOn(*folder, info.url)) {
            self->setAlert(AlertMessage(L("Andere schijf", "Different drive"),
                                        L("Kies een map op ", "Choose a folder on ") + info.name + "."));
            return;
        }
        const std::string relative = PathRules::relativeTo(*folder, info.url);
        self->changeSettings([&](AppSettings& settings) { settings.destinationBaseFolders[*info.uuid] = relative; });
    });
}

}  // namespace quillane
