#include "App/SnapshotStaging.h"

#include <QDateTime>

#include "Support/Lang.h"

namespace quillane::Snapshot {

std::optional<DriveInfo> demoDrive(const DriveInfo& info) {
    struct Dress {
        const char* name;
        const char* vendor;
        const char* model;
        const char* protocol;
        std::int64_t total, available;
        const char* fileSystem;
        std::optional<bool> removable;
    };
    static const Dress dresses[] = {
        {"FX3_A", "Apple", "Built In SDXC Reader", "Secure Digital", 256'000'000'000, 175'000'000'000, "exfat", true},
        {"SHOOT_01", "Samsung", "PSSD T7 Shield", "USB", 2'000'000'000'000, 1'412'000'000'000, "exfat", std::nullopt},
        {"BACKUP_01", "SanDisk", "PRO-G40 SSD", "Thunderbolt", 2'000'000'000'000, 1'387'000'000'000, "apfs",
         std::nullopt},
    };
    for (const Dress& dress : dresses) {
        if (info.name != dress.name) continue;
        DriveInfo dressed = info;
        dressed.deviceVendor = dress.vendor;
        dressed.deviceModel = dress.model;
        dressed.deviceProtocol = dress.protocol;
        dressed.totalCapacity = dress.total;
        dressed.availableCapacity = dress.available;
        dressed.fileSystem = dress.fileSystem;
        if (dress.removable) dressed.isRemovable = *dress.removable;
        dressed.isInternal = false;
        dressed.isEjectable = true;
        return dressed;
    }
    return std::nullopt;
}

std::vector<TransferRecord> demoHistory(const std::string& project, QDate today) {
    using Destination = TransferRecord::Destination;
    const std::string sound = L("Geluidsrecorder · WAV", "Sound recorder · WAV");
    const std::int64_t midnight = QDateTime(today, QTime(0, 0)).toSecsSinceEpoch();
    struct Row {
        const char* roll;
        int day;
        const char* source;
        std::string camera;
        std::int64_t bytes;
        int offset;
        std::vector<const char*> drives;
    };
    const Row rows[] = {
        {"A001", 1, "FX6_CARD", "Sony · XAVC", 96'400'000'000, -49'680, {"SHOOT_SSD", "BACKUP_SSD"}},
        {"B001", 1, "ARRI_CARD", "ARRI · ARRIRAW", 402'000'000'000, -45'000, {"SHOOT_SSD", "BACKUP_SSD"}},
        {"A002", 1, "FX6_CARD", "Sony · XAVC", 112'000'000'000, -35'640, {"SHOOT_SSD", "BACKUP_SSD"}},
        {"S001", 1, "ZOOM_F8", sound, 6'200'000'000, -19'440, {"SHOOT_SSD", "BACKUP_SSD"}},
        {"A003", 2, "FX6_CARD", "Sony · XAVC", 88'700'000'000, 33'840, {"SHOOT_SSD", "BACKUP_SSD"}},
        {"A005", 2, "FX6_CARD", "Sony · XAVC", 121'000'000'000, 49'320, {"BACKUP_SSD", "SPARE_1TB"}},
        {"S002", 2, "ZOOM_F8", sound, 5'800'000'000, 51'120, {"SPARE_1TB"}},
    };
    std::vector<TransferRecord> records;
    for (const Row& row : rows) {
        std::vector<Destination> destinations;
        for (const char* drive : row.drives) destinations.emplace_back(drive, "", true);
        const auto finished = std::chrono::system_clock::time_point(std::chrono::seconds(midnight + row.offset));
        records.emplace_back(project, row.roll, row.day, row.source, row.camera, std::string("demo-") + row.roll, 40,
                             row.bytes, finished, std::move(destinations), true);
    }
    return records;
}

}  // namespace quillane::Snapshot
