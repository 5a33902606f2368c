#include "Views/Main/DestinationStatusLook.h"

#include <algorithm>
#include <limits>

#include "Detection/ByteFormat.h"
#include "Support/Counts.h"
#include "Support/Lang.h"
#include "Views/Drives/DestinationRules.h"
#include "Views/Kit/LocalText.h"

namespace quillane {

namespace {
QString bytes(std::int64_t count) { return QString::fromStdString(ByteFormat::string(count)); }

// The position of the SSD among the transfer's destinations.
std::optional<std::size_t> indexOf(const std::vector<std::string>& ids, const std::string& id) {
    const auto found = std::find(ids.begin(), ids.end(), id);
    if (found == ids.end()) return std::nullopt;
    return static_cast<std::size_t>(found - ids.begin());
}

DestinationStatusLine progressLine(const DestinationStatusFacts& facts, const DestinationProgress& d) {
    const TransferProgress& progress = *facts.progress;
    const bool reading = showsReadBack(progress.phase, facts.verifies);
    const double total = std::max(static_cast<double>(progress.totalBytes), 1.0);
    DestinationStatusLine line;
    line.kind = DestinationStatusLine::Kind::progress;
    line.used = std::clamp(static_cast<double>(reading ? d.verifiedBytes : d.copiedBytes) / total, 0.0, 1.0);
    if (d.error) {
        line.text = QString::fromStdString(*d.error);
        line.textTone = line.barTone = Tone::danger;
    } else if (facts.state == TransferState::paused) {
        line.text = lq("Gepauzeerd", "Paused");
        line.textTone = line.barTone = Tone::warning;
    } else if (facts.state == TransferState::cancelled) {
        line.text = lq("Gestopt", "Stopped");
        line.textTone = line.barTone = Tone::warning;
    } else {
        line.text = reading ? lq("Verifiëren…", "Verifying…") : lq("Kopiëren…", "Copying…");
        line.textTone = Tone::secondary;
        line.barTone = Tone::accent;
    }
    return line;
}

DestinationStatusLine resultLine(const TransferResult& result, const DestinationResult& r) {
    DestinationStatusLine line;
    line.kind = DestinationStatusLine::Kind::result;
    line.folder = r.rollURL;
    // A run that stopped on the source leaves its destinations incomplete, whatever they report.
    line.good = r.succeeded() && !result.sourceError;
    line.textTone = line.good ? Tone::text : Tone::danger;
    if (line.good) {
        line.text = result.verified ? lq("Geverifieerd", "Verified") : lq("Gekopieerd", "Copied");
        if (r.mhlURL) line.text += QStringLiteral(" · MHL");
    } else if (r.error) {
        line.text = QString::fromStdString(*r.error);
    } else if (!r.failedFiles.empty()) {
        line.text = QString::fromStdString(
            countText(static_cast<std::int64_t>(r.failedFiles.size()), Counted::filesNotMatching));
    } else {
        line.text = lq("Onvolledig: ", "Incomplete: ") + QString::fromStdString(*result.sourceError);
    }
    return line;
}
}  // namespace

DestinationStatusLine destinationStatusLine(const DestinationStatusFacts& facts) {
    const auto index = indexOf(facts.transferDriveIDs, facts.driveID);
    const bool live = facts.state == TransferState::running || facts.state == TransferState::paused ||
                      facts.state == TransferState::cancelled;
    if (live && facts.progress && index && *index < facts.progress->destinations.size())
        return progressLine(facts, facts.progress->destinations[*index]);
    const bool ended = facts.state == TransferState::succeeded || facts.state == TransferState::failed;
    if (ended && facts.lastResult && index && *index < facts.lastResult->destinations.size())
        return resultLine(*facts.lastResult, facts.lastResult->destinations[*index]);
    if (facts.requiredBytes < 1) return {};

    DestinationStatusLine line;
    line.kind = DestinationStatusLine::Kind::space;
    const QString required = bytes(facts.requiredBytes);
    if (spaceSuffices(facts.requiredBytes, facts.freeBytes)) {
        line.dotTone = Tone::accent;
        line.textTone = Tone::secondary;
        line.text = required + lq(" nodig · ", " needed · ") + bytes(facts.freeBytes - facts.requiredBytes) +
                    lq(" blijft vrij", " stays free");
    } else {
        line.dotTone = line.textTone = Tone::danger;
        line.text = lq("Te weinig ruimte: ", "Not enough space: ") + required + lq(" nodig, ", " needed, ") +
                    bytes(facts.freeBytes) + lq(" vrij", " free");
    }
    if (facts.rollHasContent)
        line.contentWarning = QStringLiteral("· ") + QString::fromStdString(facts.rollFolderName) +
                              lq(" bevat al bestanden", " already contains files");
    return line;
}

CreateFoldersLabel createFoldersLabel(std::size_t missingCount, bool running, bool hasProject) {
    CreateFoldersLabel label;
    label.ready = missingCount == 0;
    label.text = label.ready ? lq("Mappen staan klaar", "Folders ready") : lq("Mappen aanmaken", "Create folders");
    if (!label.ready) label.badge = QString::number(missingCount);
    label.enabled = !label.ready && !running && hasProject;
    return label;
}

}  // namespace quillane
