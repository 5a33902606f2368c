#include "support/app/MainWindowStaging.h"

namespace quillane::testing {

namespace {
DriveState drive(const std::string& id, const std::string& name, DriveRole role) {
    DriveState d;
    d.info.id = id;
    d.info.uuid = id;
    d.info.name = name;
    d.info.url = "/media/" + name;
    d.info.fileSystem = "exfat";
    d.probe = ContentProbe{};
    d.classification.role = role;
    d.classification.confidence = 0.9;
    return d;
}
}  // namespace

DriveState stagedCard(const std::string& id, const std::string& name, bool sound) {
    DriveState d = drive(id, name, DriveRole::source);
    d.info.totalCapacity = 256'000'000'000;
    d.info.availableCapacity = 90'000'000'000;
    d.info.isRemovable = true;
    d.icon = DriveIcon::removable;
    // Named as the recognition names these cards: an ARRI card reads as ARRI, not as the Sony beside it.
    const bool arri = name.starts_with("ARRI");
    d.classification.camera = sound  ? CameraMatch{"Sound recorder", "WAV", "", "SOUND"}
                              : arri ? CameraMatch{"ARRI", "ARRIRAW / MXF", "", "ARRI"}
                                     : CameraMatch{"Sony", "XAVC", "", "SONY"};
    d.classification.reasons = {sound  ? "Audio files of a recorder"
                                : arri ? "ARRI reel folder and clip names (e.g. A001C001_\u2026)"
                                       : "A Sony camera folder"};
    return d;
}

DriveState stagedSSD(const std::string& id, const std::string& name, std::int64_t free) {
    DriveState d = drive(id, name, DriveRole::destination);
    d.info.totalCapacity = 2'000'000'000'000;
    d.info.availableCapacity = free;
    d.info.deviceVendor = "Samsung";
    d.info.deviceModel = "PSSD T7";
    d.info.deviceProtocol = "USB";
    d.classification.reasons = {"An external SSD"};
    return d;
}

DriveState stagedOther(const std::string& id, const std::string& name, std::vector<std::string> reasons) {
    DriveState d = drive(id, name, DriveRole::ignored);
    d.info.totalCapacity = 500'000'000'000;
    d.info.availableCapacity = 100'000'000'000;
    d.icon = DriveIcon::internal;
    d.classification.reasons = std::move(reasons);
    return d;
}

SourceScan stagedScan(std::int64_t bytes, int files) {
    SourceScan scan;
    scan.root = "/media/FX6_CARD";
    scan.totalBytes = bytes;
    scan.fingerprint = "0123456789abcdef";
    for (int i = 0; i < files; ++i)
        scan.files.push_back({"XDROOT/Clip/C" + std::to_string(1000 + i) + ".MP4", bytes / std::max(files, 1)});
    return scan;
}

DestinationPlan stagedPlan(const DriveState& ssd, const std::string& project, const std::string& roll,
                           std::int64_t required, int missingFrom) {
    DestinationPlan plan;
    plan.driveID = ssd.info.id;
    plan.driveName = ssd.info.name;
    plan.baseURL = ssd.info.url;
    const std::vector<std::string> levels{project, "FOOTAGE", roll};
    std::filesystem::path url = plan.baseURL;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        url /= levels[i];
        const bool exists = static_cast<int>(i) < missingFrom;
        plan.nodes.push_back({levels[i], static_cast<int>(i), exists, i + 1 == levels.size(), url});
        if (!exists) plan.missing.push_back(url);
    }
    plan.rollURL = url;
    plan.freeBytes = ssd.info.availableCapacity;
    plan.requiredBytes = required;
    plan.extraFolderCount = 2;
    return plan;
}

TransferProgress stagedProgress(const std::vector<DestinationPlan>& plans, TransferPhase phase, double fraction,
                                std::int64_t total) {
    TransferProgress progress;
    progress.phase = phase;
    progress.fraction = fraction;
    progress.totalBytes = total;
    progress.bytesPerSecond = 420'000'000;
    progress.secondsRemaining = 95;
    const bool reading = phase >= TransferPhase::verifying;
    for (std::size_t i = 0; i < plans.size(); ++i) {
        const auto done = static_cast<std::int64_t>(static_cast<double>(total) * (reading ? 1.0 : fraction));
        const auto checked = reading ? static_cast<std::int64_t>(static_cast<double>(total) * fraction) : 0;
        progress.destinations.push_back({static_cast<int>(i), plans[i].driveName, done, checked, std::nullopt});
    }
    return progress;
}

TransferResult stagedResult(const std::vector<DestinationPlan>& plans, bool verified,
                            std::optional<std::string> sourceError) {
    TransferResult result;
    result.verified = verified;
    result.sourceError = std::move(sourceError);
    for (std::size_t i = 0; i < plans.size(); ++i) {
        DestinationResult d;
        d.id = static_cast<int>(i);
        d.name = plans[i].driveName;
        d.rollURL = plans[i].rollURL;
        d.mhlURL = plans[i].rollURL / "ascmhl/0001.mhl";
        result.destinations.push_back(d);
    }
    return result;
}

void stageCart(ModelStaging stage, int ssds, int cards, int queued, TransferState state) {
    std::vector<DriveState> drives;
    const char* cardNames[] = {"FX6_CARD", "ARRI_CARD", "ZOOM_F8", "FX3_CARD", "A003", "B_CAM"};
    for (int i = 0; i < cards; ++i)
        drives.push_back(stagedCard("card-" + std::to_string(i), cardNames[i % 6], i == 2));
    std::vector<DriveState> ssdDrives;
    for (int i = 0; i < ssds; ++i)
        ssdDrives.push_back(stagedSSD("ssd-" + std::to_string(i), "SSD_" + std::to_string(i + 1)));
    drives.insert(drives.end(), ssdDrives.begin(), ssdDrives.end());
    drives.push_back(stagedOther("other", "Backups", {"An internal disk"}));
    const std::int64_t total = 64'000'000'000;
    stage.drives(drives).project("Feature").selectedSource("card-0").scan(stagedScan(total, 120), ScanState::ready());
    std::vector<DestinationPlan> plans;
    for (const DriveState& ssd : ssdDrives) plans.push_back(stagedPlan(ssd, "Feature", "A001", total, 2));
    stage.plans(plans);
    switch (state) {
        case TransferState::idle: break;
        case TransferState::running:
            stage.transfer(state, stagedProgress(plans, TransferPhase::copying, 0.42, total));
            break;
        case TransferState::paused:
        case TransferState::cancelled:
            stage.transfer(state, stagedProgress(plans, TransferPhase::copying, 0.42, total), stagedResult(plans, true));
            break;
        case TransferState::succeeded: stage.transfer(state, std::nullopt, stagedResult(plans, true)); break;
        case TransferState::failed:
            stage.transfer(state, std::nullopt, stagedResult(plans, true, "The card was removed"));
            break;
    }
    std::vector<QueueItem> items;
    for (int i = 0; i < queued && i + 1 < cards; ++i) {
        QueueItem item;
        item.sourceID = "card-" + std::to_string(i + 1);
        item.sourceName = cardNames[(i + 1) % 6];
        item.roll = "A00" + std::to_string(i + 2);
        item.scan = stagedScan(20'000'000'000, 40);
        items.push_back(item);
    }
    stage.queue(items);
}

}  // namespace quillane::testing
