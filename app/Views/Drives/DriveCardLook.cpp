#include "Views/Drives/DriveCardLook.h"

#include <cmath>

#include "Detection/ByteFormat.h"
#include "Product/Product.h"
#include "Support/Lang.h"
#include "Views/Kit/LocalText.h"
#include "Views/Kit/Theme.h"

namespace quillane {

namespace {
QString q(const std::string& text) { return QString::fromStdString(text); }
}  // namespace

DriveCardText driveCardText(const DriveState& drive, DriveRole role) {
    const DriveInfo& info = drive.info;
    DriveCardText text;
    if (role == DriveRole::source && drive.classification.camera) {
        text.subtitle = q(drive.classification.camera->label());
    } else {
        const std::string hardware = info.hardwareDescription();
        text.subtitle = q(hardware.empty() ? info.fileSystemLabel() : hardware + " · " + info.fileSystemLabel());
    }
    text.usedFraction = info.totalCapacity <= 0
                            ? 0.0
                            : static_cast<double>(std::max<std::int64_t>(info.totalCapacity - info.availableCapacity, 0)) /
                                  static_cast<double>(info.totalCapacity);
    text.freeSpace = q(ByteFormat::string(info.availableCapacity)) + lq(" vrij van ", " free of ") +
                     q(ByteFormat::string(info.totalCapacity));
    return text;
}

ChipLook chipLook(const DriveState& drive) {
    const DriveClassification& c = drive.classification;
    ChipLook look;
    look.analyzing = drive.isAnalyzing();
    if (look.analyzing) look.tint = Theme::secondary();
    else if (c.isLearned || c.confidence >= 0.85) look.tint = Theme::accent();
    else if (c.confidence >= 0.68) look.tint = Theme::secondary();
    else look.tint = Theme::warning();  // below 0.68 or not a number
    look.symbol = c.isLearned ? QStringLiteral("brain") : QStringLiteral("sparkles");
    look.text = look.analyzing ? lq("Analyseren", "Analyzing") : q(c.confidenceLabel());
    look.toolTip = lq("Waarom denkt ", "Why does ") + QString::fromLatin1(Product::name) + lq(" dit?", " think this?");
    return look;
}

RecognitionVerdict recognitionVerdict(const DriveState& drive, DriveRole role) {
    RecognitionVerdict verdict;
    verdict.lead = lq("Herkend als ", "Recognized as ");
    verdict.role = q(DriveRoles::displayName(role)).toLower();
    if (!drive.isAnalyzing()) {
        const double confidence = drive.classification.confidence;
        const long long percent = std::isfinite(confidence) ? static_cast<long long>(std::trunc(confidence * 100)) : 0;
        verdict.tail = QStringLiteral(" · %1").arg(percent) + lq("% zeker", "% sure");
    }
    return verdict;
}

QString recognitionHint() {
    const QString name = QString::fromLatin1(Product::name);
    return lq("Klopt het niet? Kies via ••• een andere rol — ", "Not right? Choose another role via ••• — ") + name +
           lq(" onthoudt het voor deze schijf.", " will remember it for this drive.");
}

std::vector<DriveMenuEntry> driveMenuEntries(const DriveState& drive, DriveRole role, TransferState state) {
    using Kind = DriveMenuEntry::Kind;
    std::vector<DriveMenuEntry> entries;
    entries.push_back({Kind::heading, lq("Gebruik als", "Use as"), std::nullopt});
    for (const DriveRole each : DriveRoles::allCases)
        entries.push_back({Kind::role, q(DriveRoles::displayName(each)), each, each == role});
    entries.push_back({Kind::separator, {}, std::nullopt});
    if (role == DriveRole::destination && drive.info.uuid)
        entries.push_back(
            {Kind::baseFolder, lq("Kies basismap op deze schijf…", "Choose base folder on this drive…"), std::nullopt});
    entries.push_back({Kind::reveal, lq("Toon in bestandsbeheerder", "Show in file manager"), std::nullopt});
    entries.push_back({Kind::eject, lq("Uitwerpen", "Eject"), std::nullopt, false, state != TransferState::running});
    return entries;
}

}  // namespace quillane
