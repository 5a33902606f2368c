#include "Views/TransferColumn/DestinationBarLook.h"

#include <algorithm>

#include "Detection/ByteFormat.h"
#include "Support/Counts.h"
#include "Support/Lang.h"
#include "Views/Drives/DestinationRules.h"
#include "Views/TransferColumn/StatusHeadlineLook.h"

namespace quillane {
namespace {

double ratio(std::int64_t bytes, double total) {
    return std::clamp(static_cast<double>(std::max<std::int64_t>(bytes, 0)) / total, 0.0, 1.0);
}

std::optional<std::filesystem::path> rollFolder(const DestinationBarsInput& input, std::size_t index) {
    if (index < input.transferRollURLs.size()) return input.transferRollURLs[index];
    return std::nullopt;
}

// A row for one drive, with the drive's icon while it is connected.
DestinationBarLook driveRow(const DestinationBarsInput& input, std::string id, std::string name) {
    DestinationBarLook row;
    row.id = std::move(id);
    const auto connected = input.connectedDrives.find(row.id);
    row.showsIcon = connected != input.connectedDrives.end();
    row.name = row.showsIcon && !connected->second.empty() ? connected->second : std::move(name);
    return row;
}

// The bar of one destination from a progress snapshot: copy and read-back together when the job
// verifies, so each byte counts once copied and once read back.
double progressFraction(const DestinationProgress& entry, double total, bool verifies) {
    if (!verifies) return ratio(entry.copiedBytes, total);
    const double done = static_cast<double>(std::max<std::int64_t>(entry.copiedBytes, 0)) +
                        static_cast<double>(std::max<std::int64_t>(entry.verifiedBytes, 0));
    return std::clamp(done / (2 * total), 0.0, 1.0);
}

std::vector<DestinationBarLook> progressRows(const DestinationBarsInput& input) {
    std::vector<DestinationBarLook> rows;
    if (!input.progress) return rows;
    const TransferProgress& progress = *input.progress;
    const double total = std::max(static_cast<double>(progress.totalBytes), 1.0);
    const bool readingBack = showsReadBack(progress.phase, input.transferVerifies);
    const std::size_t count = std::min(input.transferDriveIDs.size(), progress.destinations.size());
    for (std::size_t index = 0; index < count; ++index) {
        const DestinationProgress& entry = progress.destinations[index];
        DestinationBarLook row = driveRow(input, input.transferDriveIDs[index], entry.name);
        row.fraction = progressFraction(entry, total, input.transferVerifies);
        const int percent = progressPercent(ratio(readingBack ? entry.verifiedBytes : entry.copiedBytes, total));
        if (entry.error) {
            row.status = *entry.error;
            row.tone = Tone::danger;
        } else if (input.state == TransferState::paused) {
            row.status = L("Gepauzeerd", "Paused");
            row.tone = Tone::warning;
        } else if (input.state == TransferState::cancelled) {
            row.status = L("Gestopt", "Stopped");
            row.tone = Tone::warning;
        } else if (readingBack) {
            row.status = L("Verifiëren ", "Verifying ") + std::to_string(percent) + "%";
        } else {
            row.status = L("Kopiëren ", "Copying ") + std::to_string(percent) + "%";
        }
        row.folder = rollFolder(input, index);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<DestinationBarLook> resultRows(const DestinationBarsInput& input) {
    std::vector<DestinationBarLook> rows;
    if (!input.lastResult) return rows;
    const TransferResult& result = *input.lastResult;
    const double total = input.progress ? std::max(static_cast<double>(input.progress->totalBytes), 1.0) : 1.0;
    const std::size_t count = std::min(input.transferDriveIDs.size(), result.destinations.size());
    for (std::size_t index = 0; index < count; ++index) {
        const DestinationResult& destination = result.destinations[index];
        DestinationBarLook row = driveRow(input, input.transferDriveIDs[index], destination.name);
        row.fraction = 1;
        row.folder = destination.rollURL;
        if (result.sourceError && !destination.error) {
            // The card failed, so no destination holds the whole card, whatever its own outcome.
            row.status = L("Onvolledig", "Incomplete");
            row.tone = Tone::danger;
            if (input.progress && index < input.progress->destinations.size())
                row.fraction = progressFraction(input.progress->destinations[index], total, input.transferVerifies);
        } else if (destination.succeeded()) {
            row.status = result.verified ? L("✓ Geverifieerd", "✓ Verified") : L("✓ Gekopieerd", "✓ Copied");
        } else if (destination.error) {
            row.status = *destination.error;
            row.tone = Tone::danger;
        } else {
            row.status = countText(static_cast<std::int64_t>(destination.failedFiles.size()), Counted::filesNotMatching);
            row.tone = Tone::danger;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<DestinationBarLook> planRows(const DestinationBarsInput& input) {
    std::vector<DestinationBarLook> rows;
    for (const DestinationBarsInput::Plan& plan : input.plans) {
        DestinationBarLook row = driveRow(input, plan.driveID, plan.driveName);
        if (spaceSuffices(std::max<std::int64_t>(plan.requiredBytes, 0), plan.freeBytes)) {
            row.status = ByteFormat::string(plan.freeBytes) + L(" vrij", " free");
        } else {
            row.status = L("Te weinig ruimte", "Not enough space");
            row.tone = Tone::danger;
        }
        if (plan.rollHasContent) row.folder = plan.rollURL;
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace

std::vector<DestinationBarLook> destinationBarRows(const DestinationBarsInput& input) {
    std::vector<DestinationBarLook> rows;
    switch (input.state) {
        case TransferState::running:
        case TransferState::paused:
        case TransferState::cancelled: rows = progressRows(input); break;
        case TransferState::succeeded:
        case TransferState::failed: rows = resultRows(input); break;
        case TransferState::idle: rows = planRows(input); break;
    }
    // Accent is for what went well: a status in accent reads in the quieter secondary colour
    // until the transfer has succeeded.
    for (DestinationBarLook& row : rows)
        row.statusTone = row.tone == Tone::accent && input.state != TransferState::succeeded
                             ? Tone::secondary
                             : row.tone;
    return rows;
}

std::string destinationBarsPlaceholder() {
    return L("Sluit een SSD aan om te beginnen", "Connect an SSD to get started");
}

}  // namespace quillane
